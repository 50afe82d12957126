// Everything the host holds of the open score: the interface version it reports (which also
// picks the record layouts), the document, its music, layout, selection and edits, and the
// score's own terms. The formats fill it; the picture and the session read it.
#pragma once

#include "host/model/HostDocument.h"
#include "host/model/HostEdit.h"
#include "host/model/HostLayout.h"
#include "host/model/HostMusic.h"
#include "host/model/HostRecords.h"
#include "host/model/HostSelection.h"
#include "host/model/ScoreTerms.h"

#include <cstdint>

class HostState {
public:
    std::uint32_t Version() const { return version_; }
    void SetVersion(std::uint32_t version) { version_ = version; }

    HostDocument& Document() { return document_; }
    HostMusic& Music() { return music_; }
    HostSelection& Selection() { return selection_; }
    HostEdit& Edit() { return edit_; }
    HostLayout& Layout() { return layout_; }
    // How the score numbers its measures and names its parts.
    ScoreTerms& Terms() { return terms_; }

private:
    std::uint32_t version_ = HostVersions::kDefault;
    HostDocument document_;
    HostMusic music_;
    HostSelection selection_;
    HostEdit edit_;
    HostLayout layout_;
    ScoreTerms terms_;
};
