// FINALE.EXE writes the generated score as JSON only; the native build writes MusicXML.
#include "host/files/ScoreError.h"
#include "host/formats/OrchestraScore.h"

std::string OrchestraScore::MusicXml(int, int) {
    throw ScoreError("this build writes the generated score as JSON only");
}
