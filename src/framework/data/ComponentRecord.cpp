#include "framework/data/ComponentRecord.h"

#include "binding/HostApi.h"
#include "hostinterface/RecordBytes.h"
#include "platform/IgnoredResult.h"

#include <algorithm>
#include <cstring>

ComponentRecord::ComponentRecord(std::uint32_t tag, std::int16_t key1, std::int16_t incidence)
    : tag_(tag), keys_{key1, incidence, 0} {}

ComponentRecord::ComponentRecord(const ComponentId& id)
    : ComponentRecord(id.Tag(), id.HostKey1(), id.incidence) {}

std::int32_t ComponentRecord::Load() {
    std::memset(bytes_, 0, sizeof bytes_);
    std::int32_t size = kSize;
    Ignore(HostApi::LoadEData(tag_, keys_, bytes_, &size, HostAbi::kInterfaceVersion),
           Because::Prefilled);
    return std::clamp<std::int32_t>(size, 0, kSize);
}

bool ComponentRecord::Save() {
    return HostApi::SaveEData(tag_, keys_, bytes_, kSize, HostAbi::kInterfaceVersion) != 0;
}

std::uint16_t ComponentRecord::Word(int index) const {
    return RecordBytes::Read<std::uint16_t>(bytes_, static_cast<std::size_t>(2 * index));
}

bool ComponentRecord::SetWord(int index, std::uint16_t value) {
    if (Word(index) == value) {
        return false;
    }
    RecordBytes::Write<std::uint16_t>(bytes_, static_cast<std::size_t>(2 * index), value);
    return true;
}
