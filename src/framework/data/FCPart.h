// One part of the document (otpD, 12 bytes; 0 is the score), loaded with its own part ID as item
// number. It remembers the document it belongs to and can be made the host's current part for a
// while, putting the previous one back afterwards.
#pragma once

#include "framework/data/FCNoInciOther.h"
#include "hostinterface/RecordTag.h"

#include <cstdint>

class FCPart : public __FCNoInciOther {
public:
    // The ID that stands for the host's current part.
    static constexpr int kCurrentPart = -1;

    // A part of the current document: the given one, or the current part for kCurrentPart.
    explicit FCPart(int partID = kCurrentPart);

    std::uint32_t ClassID() const override { return 71; }
    const char* ClassName() const override { return "FCPart"; }
    // Parts are the same when they are the same part of the same document.
    bool IsSameClass(const __FCBase* other) const override;
    void* GetRecordBuffer() override { return record_; }
    __FCBaseData* CreateObject() const override { return new FCPart(kCurrentPart); }
    std::uint32_t RecordTag() const override { return RecordTagOf("otpD"); }
    std::int32_t RecordSize() const override { return kSize; }
    void CopyDataFrom(__FCBaseData* other) override { CopyRecordFrom(other); }
    [[nodiscard]] bool LoadFirst() override { return Load(0); }

    // Makes this part current, when it belongs to the current document and is not already
    // switched in.
    void SwitchTo();
    // Makes the part current again that was current before SwitchTo.
    void SwitchBack();

    std::uint16_t GetPartID() const { return partID_; }
    std::uint16_t GetDocumentID() const { return documentID_; }
    bool IsSwitchedIn() const { return previousPartID_ != kNotSwitchedIn; }

private:
    static constexpr std::int32_t kSize = 12;
    static constexpr std::int16_t kNotSwitchedIn = -2;

    bool InCurrentDocument() const;

    unsigned char record_[kSize] = {};
    std::uint16_t partID_;
    std::uint16_t documentID_;
    std::int16_t previousPartID_ = kNotSwitchedIn;
};
