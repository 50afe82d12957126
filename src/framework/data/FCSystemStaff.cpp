#include "framework/data/FCSystemStaff.h"

#include "framework/data/RecordAccess.h"
#include "platform/IgnoredResult.h"

#include <array>

namespace {

using PercentRecord = std::array<unsigned char, 10>;
using PercentField = RecordField<std::int16_t, 0>;

} // namespace

FCSystemStaff::FCSystemStaff() {
    SetDataSize(kSize);
}

void FCSystemStaff::CopyDataFrom(__FCBaseData* other) {
    CopyRecordFrom(other);
    if (auto* staff = dynamic_cast<FCSystemStaff*>(other); staff && staff != this) {
        auxPercent_ = staff->auxPercent_;
    }
}

bool FCSystemStaff::Load(int listItem, int position) {
    if (!__FCInciOther::Load(listItem, position)) {
        return false;
    }
    auxPercent_ = kFullPercent;
    if (listItem != 0) {
        LoadAuxPercent();
    }
    return true;
}

bool FCSystemStaff::Save() {
    return __FCInciOther::Save() && SaveAuxPercent();
}

bool FCSystemStaff::SaveAs(int listItem) {
    return __FCInciOther::SaveAs(listItem) && SaveAuxPercent();
}

std::int16_t FCSystemStaff::GetStaff() const {
    return Staff::Get(RecordData());
}

void FCSystemStaff::SetStaff(std::int16_t staff) {
    Staff::Set(RecordData(), staff);
}

void FCSystemStaff::LoadAuxPercent() {
    std::int16_t keys[3] = {Key(0), GetStaff(), 0};
    PercentRecord record{};
    std::int32_t size = kPercentSize;
    if (RecordAccess::LoadRecord(kPercentTag, keys, record.data(), &size, RecordVersion())) {
        auxPercent_ = PercentField::Get(record.data());
    }
}

// The score's list (item 0) carries no percentages: they belong to the lists of systems. A
// percentage other than 100 replaces the stored one, or is stored anew when the staff had none.
bool FCSystemStaff::SaveAuxPercent() {
    std::int16_t keys[3] = {Key(0), GetStaff(), 0};
    if (Key(0) == 0) {
        return true;
    }
    if (auxPercent_ == kFullPercent) {
        Ignore(RecordAccess::DeleteRecord(kPercentTag, keys, RecordVersion()), Because::GoneEither);
        return true;
    }
    PercentRecord record{};
    PercentField::Set(record.data(), auxPercent_);
    return RecordAccess::SaveRecord(kPercentTag, keys, record.data(), kPercentSize,
                                    RecordVersion()) ||
           RecordAccess::CreateRecord(kPercentTag, keys, record.data(), kPercentSize,
                                      RecordVersion());
}
