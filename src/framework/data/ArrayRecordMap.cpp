#include "framework/data/ArrayRecordMap.h"

#include "framework/data/ComponentRecord.h"
#include "hostinterface/RecordTag.h"
#include "platform/IgnoredResult.h"

#include <cstring>
#include <limits>

namespace {

constexpr std::int16_t kAnyLow = std::numeric_limits<std::int16_t>::min();
constexpr std::int16_t kAnyHigh = std::numeric_limits<std::int16_t>::max();

// tag, component, count, key range, whether the key selects the first incidence.
constexpr ArrayRecordMap kMaps[] = {
    {RecordTagOf("pfGD"), {'7', '9'}, 1, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfGG"), {'8', '8'}, 11, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfGb"), {'9', '8'}, 1, 1, 4, true},
    {RecordTagOf("pfGd"), {'8', '0'}, 1, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfGs"), {'9', '1'}, 1, 1, 1, false},
    {RecordTagOf("pfMM"), {'2', '5'}, 2, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfND"), {'0', '4'}, 1, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfNd"), {'6', '6'}, 1, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfPF"), {'7', '7'}, 4, 1, 1, false},
    {RecordTagOf("pfSC"), {'5', '2'}, 2, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfSN"), {'4', '0'}, 1, 1, 128, true},
    {RecordTagOf("pfSP"), {'9', '4'}, 3, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfSl"), {'2', '6'}, 1, 1, 15, true},
    {RecordTagOf("pfTC"), {'8', '6'}, 5, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfTI"), {'8', '4'}, 4, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfTX"), {'7', '8'}, 9, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfTp"), {'8', '5'}, 4, kAnyLow, kAnyHigh, false},
    {RecordTagOf("pfTs"), {'9', '0'}, 1, 1, 9, true},
};

} // namespace

const ArrayRecordMap* ArrayRecordMap::Find(std::uint32_t tag) {
    for (const ArrayRecordMap& map : kMaps) {
        if (map.tag == tag) {
            return &map;
        }
    }
    return nullptr;
}

bool ArrayRecordMap::FirstIncidence(std::int16_t key, std::int16_t& first) const {
    if (key < minimumKey || key > maximumKey) {
        return false;
    }
    first = keySelectsIncidence ? static_cast<std::int16_t>(key - 1) : std::int16_t{0};
    return true;
}

std::int32_t ArrayRecordMap::RecordSize() const {
    return count * ComponentRecord::kSize;
}

std::uint32_t ArrayRecordMap::ComponentTag() const {
    return ComponentId{{code[0], code[1]}, 0, 0}.Tag();
}

bool ArrayRecordMap::Load(std::int16_t key, void* buffer, std::int32_t* size) const {
    std::int16_t first = 0;
    if (!FirstIncidence(key, first) || !size) {
        return false;
    }
    if (buffer && *size < RecordSize()) {
        return false;
    }
    for (int index = 0; buffer && index < count; ++index) {
        ComponentRecord component(ComponentTag(), ComponentId::kDocumentKey,
                                  static_cast<std::int16_t>(first + index));
        const std::int32_t reported = component.Load();
        std::memcpy(static_cast<unsigned char*>(buffer) + index * ComponentRecord::kSize,
                    component.Bytes(), static_cast<std::size_t>(reported));
    }
    *size = RecordSize();
    return true;
}

bool ArrayRecordMap::Save(std::int16_t key, const void* buffer, std::int32_t size) const {
    std::int16_t first = 0;
    if (!FirstIncidence(key, first) || !buffer || size < RecordSize()) {
        return false;
    }
    for (int index = 0; index < count; ++index) {
        ComponentRecord component(ComponentTag(), ComponentId::kDocumentKey,
                                  static_cast<std::int16_t>(first + index));
        std::memcpy(component.Bytes(),
                    static_cast<const unsigned char*>(buffer) + index * ComponentRecord::kSize,
                    ComponentRecord::kSize);
        Ignore(component.Save(), Because::BestEffort);
    }
    return true;
}
