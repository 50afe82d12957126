// The stand-in host's music spacing (the music-spacing menu command): the widths it stores for
// a measure and for a multimeasure rest, however crowded the measure or long the rest.
#include "host/HostRecords.h"
#include "hostinterface/RecordBytes.h"
#include "support/HostFixture.h"

#include <vector>

namespace {

namespace Measure = HostRecords::Measure;
namespace Rest = HostRecords::Rest;

class HostLayoutTest : public HostFixture {
protected:
    // Measure 1 of the score holds so many entries on one staff and starts a multimeasure rest
    // of so many measures; it alone is selected.
    void Build(int entries, std::int16_t span) {
        RecordStore& layout = host.Document().LayoutOf(0);
        layout.Put(Measure::kTag, 1, 0, 0, RecordStore::Bytes(Measure::SizeFor(host.Version())));
        RecordStore::Bytes rest(Rest::kSize);
        RecordBytes::Write(rest.data(), Rest::kNext, static_cast<std::int16_t>(1 + span));
        layout.Put(Rest::kTag, 1, 0, 0, std::move(rest));
        host.Music().SetEntries(1, 1, 0, std::vector<std::int16_t>(entries, 1));
        HostSelection::Region region;
        region.startMeasure = region.endMeasure = 1;
        host.Selection().Select(region);
    }

    std::int16_t WidthOf(std::uint32_t tag) {
        const RecordStore::Found record = host.Document().LayoutOf(0).Find(tag, 1, 0, 0);
        return RecordBytes::Read<std::int16_t>(record->data(), 0);
    }
};

TEST_F(HostLayoutTest, MusicSpacingHoldsWidthsAtTheWidestTheFieldStores) {
    const struct {
        int entries;
        std::int16_t span;
        std::int16_t measureWidth;
        std::int16_t restWidth;
    } cases[] = {
        {0, 1, 90, 160},
        {3, 2, 180, 170},
        // The widest widths the spacing reaches exactly.
        {817, 3261, 32740, 32760},
        // One entry or one measure more no longer fits 16 bits: held at the widest.
        {818, 3262, 32767, 32767},
        {5000, 32766, 32767, 32767},
    };
    for (const auto& c : cases) {
        Build(c.entries, c.span);
        host.Layout().SpaceSelectedMusic(host.Document(), host.Music(), host.Selection());
        EXPECT_EQ(WidthOf(Measure::kTag), c.measureWidth) << c.entries << " entries";
        EXPECT_EQ(WidthOf(Rest::kTag), c.restWidth) << "a rest of " << c.span << " measures";
    }
}

} // namespace
