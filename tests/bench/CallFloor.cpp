#include "CallFloor.h"

#include "host/model/HostRecords.h"

#include <map>
#include <set>
#include <string>

namespace {

using Args = std::vector<std::int64_t>;

constexpr std::int64_t kMeasureTag = HostRecords::Measure::kTag;
constexpr std::int64_t kRestTag = HostRecords::Rest::kTag;
constexpr std::int64_t kSystemTag = HostRecords::System::kTag;
constexpr std::int64_t kStaffSizeTag = HostRecords::StaffSize::kTag;

bool IsRecordRead(const HostCall& call) {
    return call.name == "FX_LoadEData" || call.name == "FX_NextEData";
}

// Reads of one kind: of one record tag, or of one host function.
std::string KindOf(const HostCall& read) {
    return IsRecordRead(read) ? read.name + std::to_string(read.args[0]) : read.name;
}

std::string LoadKind(std::int64_t tag) {
    return "FX_LoadEData" + std::to_string(tag);
}

bool IsLayoutKind(const std::string& kind) {
    return kind != "FX_LoadTGF" && kind != "FX_GetMeasureDuration" &&
           kind != LoadKind(kMeasureTag) && kind != LoadKind(kRestTag);
}

class Floor {
public:
    void Count(const HostCall& call) {
        if (IsWrite(call)) {
            ++calls_;
            Forget(call);
        } else if (call.name == "FX_LoadTGF") {
            CountFrame(call);
        } else if (IsRecordRead(call) && call.args[0] == kRestTag) {
            CountRest(call);
        } else if (call.name == "FX_GetCurrentEnigmaDocument") {
            calls_ += documentKnown_ ? 0 : 1;
            documentKnown_ = true;
        } else if (call.name != "FX_FreeTGF" &&
                   !(IsRecordRead(call) && call.args[0] == kStaffSizeTag) &&
                   known_[KindOf(call)].insert(call.args).second) {
            ++calls_;
            if (call.name == "FX_LoadEData" && call.args[0] == kSystemTag && call.answer == 1) {
                systems_.insert(call.args[1]);
            }
        }
    }

    std::size_t Total() {
        EndPart();
        return calls_;
    }

private:
    static bool IsWrite(const HostCall& call) {
        static const std::set<std::string> writes = {"FX_SaveEData",       "FX_CreateEData",
                                                     "FX_DeleteEData",     "FX_UpdateLayout",
                                                     "FX_ExecuteMenuItem", "FX_SetCurrentPartID"};
        return writes.count(call.name) != 0;
    }

    void Forget(const HostCall& call) {
        if (call.name == "FX_SetCurrentPartID") {
            EndPart();
        } else if (call.name == "FX_ExecuteMenuItem") {
            known_.erase(LoadKind(kMeasureTag));
            rests_.clear();
        } else if (call.name == "FX_UpdateLayout") {
            std::erase_if(known_, [](const auto& kind) { return IsLayoutKind(kind.first); });
        } else {
            known_.erase("FX_LoadEData" + std::to_string(call.args[0]));
            known_.erase("FX_NextEData" + std::to_string(call.args[0]));
            if (call.args[0] == kRestTag) {
                rests_.clear();
            }
        }
    }

    // The part's rest walks each end with one step per system.
    void EndPart() {
        calls_ += restsAsked_ ? systems_.size() : 0;
        known_.clear();
        cells_.clear();
        rests_.clear();
        systems_.clear();
        restsAsked_ = false;
    }

    // A layer counts, with its release, until the cell is known to hold an entry or to fail.
    void CountFrame(const HostCall& load) {
        const Args cell = {load.args[1], load.args[2], load.args[4]};
        Cell& known = cells_[cell];
        if (known.decided || !known.layers.insert(load.args[3]).second) {
            return;
        }
        calls_ += load.answer >= 0 ? 2 : 1;
        known.decided = load.answer != 0;
    }

    // A rest that exists counts a walk step and a load; probes that find none count nothing.
    void CountRest(const HostCall& read) {
        restsAsked_ = true;
        if (read.name == "FX_LoadEData" && read.answer == 1 && rests_.insert(read.args[1]).second) {
            calls_ += 2;
        }
    }

    struct Cell {
        std::set<std::int64_t> layers;
        bool decided = false;
    };

    std::size_t calls_ = 0;
    std::map<std::string, std::set<Args>> known_;
    std::map<Args, Cell> cells_;
    std::set<std::int64_t> rests_;
    std::set<std::int64_t> systems_;
    bool restsAsked_ = false;
    bool documentKnown_ = false;
};

} // namespace

std::size_t CallFloor::Of(const std::vector<HostCall>& calls) {
    Floor floor;
    for (const HostCall& call : calls) {
        floor.Count(call);
    }
    return floor.Total();
}
