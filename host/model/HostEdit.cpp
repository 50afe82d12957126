#include "host/model/HostEdit.h"

std::int16_t HostEdit::Start(const HostDocument& document, std::u16string title) {
    requested_.push_back(title);
    if (refusing_ || IsOpen()) {
        return 0;
    }
    snapshot_ = document;
    openTitle_ = std::move(title);
    return 1;
}

std::int16_t HostEdit::End() {
    if (!IsOpen()) {
        return 0;
    }
    committed_.push_back(openTitle_);
    snapshot_.reset();
    return 1;
}

std::int16_t HostEdit::Cancel(HostDocument& document) {
    if (!IsOpen()) {
        return 0;
    }
    document = std::move(*snapshot_);
    snapshot_.reset();
    ++cancelled_;
    return 1;
}
