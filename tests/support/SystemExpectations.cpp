#include "tests/support/SystemExpectations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

void ExpectSoundSystems(const PartFlow::Units& units, const PartFlow::Spans& systems,
                        std::int32_t systemWidth, const std::string& where) {
    const PartFlow flow(units, systemWidth);
    std::vector<std::int32_t> unitEnds;
    for (const PartFlow::Unit& unit : units) {
        unitEnds.push_back(unit.next);
    }
    std::int32_t expectedFirst = 1;
    std::size_t begin = 0;
    for (const auto& [first, next] : systems) {
        ASSERT_EQ(first, expectedFirst) << where;
        const auto ends = std::find(unitEnds.begin(), unitEnds.end(), next);
        ASSERT_NE(ends, unitEnds.end()) << where << ": a system ends inside a rest at " << next;
        const auto end = static_cast<std::size_t>(ends - unitEnds.begin()) + 1;
        EXPECT_TRUE(flow.Fits(begin, end)) << where << ": the system from " << first;
        begin = end;
        expectedFirst = next;
    }
    EXPECT_EQ(begin, units.size()) << where;
}
