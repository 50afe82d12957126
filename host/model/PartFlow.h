// How the host lays out a part, as a notation program does: runs of empty measures become
// multimeasure rests, a rest is one unit of the layout standing for the measures under it (which
// take no room), and units flow into staff systems no wider than the system width. A layout
// update keeps every system whose contents did not change, or still fit and leave no room, and
// flows the others.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

class PartFlow {
public:
    // (first measure, measure after the last) of a system or of a run of measures.
    using Span = std::pair<std::int32_t, std::int32_t>;
    using Spans = std::vector<Span>;

    // A measure, or a multimeasure rest in place of the measures from first up to next.
    struct Unit {
        std::int32_t first;
        std::int32_t next;
        std::int32_t width;
        bool operator==(const Unit&) const = default;
    };
    using Units = std::vector<Unit>;

    // The units a part's systems were laid out with, and the system width they were laid out in.
    struct LaidOut {
        Units units;
        std::int32_t systemWidth = 0;
    };

    // What a kept system may hold beyond the system width for each unit in it: the rounding of
    // a width to half tenths by the program that wrote the file (a tenth is about 2 EVPUs) and
    // to whole EVPUs when it is read, each at most half an EVPU.
    static constexpr std::int32_t kRoundingPerUnit = 1;

    // The runs of two or more empty measures (measure 1 first), each also ended before every
    // measure where breaksBefore is set: the multimeasure rests of an extracted part.
    static Spans RestRuns(const std::vector<bool>& empty, const std::vector<bool>& breaksBefore);

    // The units of measures of these widths (measure 1 first) under these rests; a rest that
    // starts under another one or outside the measures makes no unit, one that runs past the
    // last measure ends there. Negative widths take no room.
    static Units UnitsOf(const std::vector<std::int16_t>& widths, const Units& rests);

    PartFlow(Units units, std::int32_t systemWidth);

    // Every unit flowed afresh: each system holds as many units as fit, at least one.
    Spans Flow() const { return Reflow({}, nullptr); }

    // Lays the units out again over the part's present systems. A present system that starts
    // where the flow has come to is kept unless it ends inside a unit, or its units (or the
    // first unit after it) differ from those it was laid out with (all differ without that
    // record, or when the system width changed since) and it no longer fits or now leaves room
    // for the next unit; any other system is flowed afresh.
    Spans Reflow(const Spans& systems, const LaidOut* laidOut) const;

    // Whether the units [begin, end) fit a system: they are one unit, or no wider than the system
    // width with the rounding allowed for each.
    bool Fits(std::size_t begin, std::size_t end) const;

private:
    std::int32_t Total(std::size_t begin, std::size_t end) const;
    // The unit that starts at the measure, or units_.size() after the last; npos inside a unit.
    std::size_t UnitAt(std::int32_t measure) const;
    // The end of a system flowed from the unit: as many units as fit, at least one.
    std::size_t FlowFrom(std::size_t begin) const;
    bool Keeps(std::size_t begin, std::size_t end, const LaidOut* laidOut) const;
    bool LaidOutAlike(std::size_t begin, std::size_t end, const Units& laidOut) const;

    Units units_;
    std::int32_t systemWidth_;
};
