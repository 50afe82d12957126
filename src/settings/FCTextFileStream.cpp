#include "settings/FCTextFileStream.h"

#include "platform/EightBitText.h"

#include <string>

bool FCTextFileStream::OpenRead() {
    return OpenForReading(u"rb");
}

bool FCTextFileStream::OpenWrite() {
    return OpenForWriting();
}

std::unique_ptr<FCString> FCTextFileStream::ReadLine() {
    int byte = ReadTextByte();
    if (byte == EOF) {
        return nullptr;
    }
    std::string bytes;
    while (byte != EOF && byte != '\n' && byte != '\r') {
        bytes.push_back(static_cast<char>(byte));
        byte = ReadTextByte();
    }
    const std::u16string units = WidenBytes(bytes);
    auto line = std::make_unique<FCString>();
    line->SetUTF16(units.data(), units.size());
    return line;
}

std::unique_ptr<FCStrings> FCTextFileStream::ReadAllLines() {
    if (!IsOpen()) {
        return nullptr;
    }
    auto lines = std::make_unique<FCStrings>();
    while (std::unique_ptr<FCString> line = ReadLine()) {
        line->TrimLineEnds();
        lines->Add(line.release());
    }
    return lines;
}

void FCTextFileStream::WriteText(std::string_view text) {
    for (const char byte : text) {
        if (byte == '\n') {
            WriteByte('\r');
        }
        WriteByte(byte);
    }
}

int FCTextFileStream::ReadTextByte() {
    const int byte = ReadByte();
    if (byte != '\r') {
        return byte;
    }
    const int next = ReadByte();
    if (next == '\n') {
        return next;
    }
    UnreadByte(next);
    return byte;
}
