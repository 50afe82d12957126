#include "host/picture/PicturePlan.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

using Kind = PicturePlan::Kind;
using Style = PicturePlan::Style;
using Anchor = PicturePlan::Anchor;

constexpr double kMargin = 20;
constexpr double kTitleBaseline = 34;
constexpr double kLegendTop = 50;
constexpr double kLegendStep = 270;
constexpr double kSampleWidth = 28;
constexpr double kSampleHeight = 14;
constexpr double kPanelsTop = 84;
constexpr double kPanelGap = 12;
constexpr double kPanelHeader = 48; // the part's heading and the column headings
constexpr double kPanelFooter = 8;
constexpr double kColumnInset = 10;
constexpr double kRowLabelWidth = 64;
constexpr double kColumnWidth = 480; // the widest row of the picture fills it
constexpr double kColumnGap = 24;
constexpr double kRowHeight = 36;
constexpr double kBoxTop = 14; // room above a box for its number or a rest's length
constexpr double kBoxHeight = 18;
constexpr double kMinBoxWidth = 2;       // a measure of width 0 still shows
constexpr double kNumberedBoxWidth = 14; // narrower boxes are not numbered

constexpr double kColumnBlock = kRowLabelWidth + kColumnWidth;
constexpr double kPageWidth = 2 * kMargin + 2 * kColumnInset + 2 * kColumnBlock + kColumnGap;

// One box of a row before it is placed: a measure, or a multimeasure rest in place of the
// measures it covers.
struct Item {
    Kind kind;
    std::int32_t first;
    std::int32_t count;
    std::int16_t width;
};
struct Row {
    LayoutSnapshot::System system;
    std::vector<Item> items;
};
using ItemKey = std::tuple<Kind, std::int32_t, std::int32_t>;

// A rest is drawn in the system where it starts; the measures it covers are not drawn again,
// also not in later systems, and a system that holds only such measures is no row.
std::vector<Row> Rows(const LayoutSnapshot::Part& part) {
    const auto measureCount = static_cast<std::int32_t>(part.measures.size());
    std::map<std::int32_t, const LayoutSnapshot::Rest*> restAt;
    for (const LayoutSnapshot::Rest& rest : part.rests) {
        restAt[rest.first] = &rest;
    }
    std::vector<Row> rows;
    std::int32_t coveredUntil = 0;
    for (const LayoutSnapshot::System& system : part.systems) {
        if (system.last <= coveredUntil) {
            continue;
        }
        Row row{system, {}};
        for (std::int32_t measure = std::max(system.first, coveredUntil + 1);
             measure <= std::min(system.last, measureCount); ++measure) {
            const auto rest = restAt.find(measure);
            if (rest != restAt.end()) {
                const std::int32_t last = std::clamp(rest->second->last, measure, measureCount);
                row.items.push_back({Kind::Rest, measure, last - measure + 1, rest->second->width});
                coveredUntil = last;
                measure = last;
                continue;
            }
            const LayoutSnapshot::Measure& data =
                part.measures[static_cast<std::size_t>(measure - 1)];
            row.items.push_back({data.empty ? Kind::Empty : Kind::Music, measure, 1, data.width});
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::map<ItemKey, std::int16_t> WidthsByItem(const std::vector<Row>& rows) {
    std::map<ItemKey, std::int16_t> widths;
    for (const Row& row : rows) {
        for (const Item& item : row.items) {
            widths[{item.kind, item.first, item.count}] = item.width;
        }
    }
    return widths;
}

std::int32_t RowWidth(const Row& row) {
    std::int32_t total = 0;
    for (const Item& item : row.items) {
        total += std::max<std::int32_t>(item.width, 0);
    }
    return total;
}

// The score and each part, ascending by ID, with its layout before and after (null when it is
// missing from one of them).
using PartPair = std::pair<const LayoutSnapshot::Part*, const LayoutSnapshot::Part*>;
std::map<std::int16_t, PartPair> PairParts(const LayoutSnapshot& before,
                                           const LayoutSnapshot& after) {
    std::map<std::int16_t, PartPair> parts;
    for (const LayoutSnapshot::Part& part : before.parts) {
        parts[part.id].first = &part;
    }
    for (const LayoutSnapshot::Part& part : after.parts) {
        parts[part.id].second = &part;
    }
    return parts;
}

// The system's measures in the score's own numbers.
std::string MeasureRange(const LayoutSnapshot::System& system, const ScoreTerms& terms) {
    return system.first == system.last
               ? terms.Bar(system.first)
               : terms.Bar(system.first) + "\u2013" + terms.Bar(system.last);
}

// Top down, and left to right within a row as they were placed, so that a page finds its own by
// binary search.
template <typename Item> void SortTopDown(std::vector<Item>& items) {
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.y < b.y; });
}

class Planner {
public:
    Planner(const LayoutSnapshot& before, const LayoutSnapshot& after) : terms_(after.terms) {
        std::int32_t widest = std::max({before.systemWidth, after.systemWidth, 1});
        for (const auto& [id, pair] : PairParts(before, after)) {
            parts_.push_back({id, Columns(pair.first), Columns(pair.second)});
            for (const Column& column : {parts_.back().before, parts_.back().after}) {
                for (const Row& row : column.rows) {
                    widest = std::max(widest, RowWidth(row));
                }
            }
        }
        scale_ = kColumnWidth / widest;
        systemWidth_ = after.systemWidth;
    }

    PicturePlan Plan(const std::string& title) {
        plan_.title = title;
        plan_.width = kPageWidth;
        plan_.labels.push_back({kMargin, kTitleBaseline, title, Style::Title, Anchor::Left});
        PlanLegend();
        double top = kPanelsTop;
        for (const PartColumns& part : parts_) {
            plan_.cuts.push_back({top - kPanelGap / 2, {}});
            top = PlanPanel(part, top) + kPanelGap;
        }
        plan_.height = top - kPanelGap + kMargin;
        SortTopDown(plan_.boxes);
        SortTopDown(plan_.labels);
        return std::move(plan_);
    }

private:
    struct Column {
        std::vector<Row> rows;
    };
    struct PartColumns {
        std::int16_t id;
        Column before;
        Column after;
    };

    static Column Columns(const LayoutSnapshot::Part* part) {
        return part ? Column{Rows(*part)} : Column{};
    }

    void PlanLegend() {
        const struct {
            Kind kind;
            bool changed;
            const char* text;
        } samples[] = {{Kind::Music, false, "measure with music"},
                       {Kind::Empty, false, "empty measure"},
                       {Kind::Rest, false, "multimeasure rest (its length above)"},
                       {Kind::Music, true, "width changed by the pass"}};
        double x = kMargin;
        for (const auto& sample : samples) {
            plan_.legend.push_back(
                {x, kLegendTop, kSampleWidth, kSampleHeight, sample.kind, 0, 1, sample.changed});
            plan_.labels.push_back({x + kSampleWidth + 6, kLegendTop + kSampleHeight - 3,
                                    sample.text, Style::Caption, Anchor::Left});
            x += kLegendStep;
        }
    }

    // Places one part's panel from the top given; answers its bottom.
    double PlanPanel(const PartColumns& part, double top) {
        const std::string partName = terms_.Part(part.id);
        plan_.labels.push_back(
            {kMargin + kColumnInset, top + 20, partName, Style::Heading, Anchor::Left});
        const double left = kMargin + kColumnInset;
        const double right = left + kColumnBlock + kColumnGap;
        const double rowsTop = top + kPanelHeader;
        const std::size_t rows = std::max(part.before.rows.size(), part.after.rows.size());
        const double rowsBottom = rowsTop + static_cast<double>(rows) * kRowHeight;
        for (std::size_t row = 1; row < rows; ++row) {
            plan_.cuts.push_back({rowsTop + static_cast<double>(row) * kRowHeight, partName});
        }
        PlanColumn(part.before, part.after, left, rowsTop, "Before");
        PlanColumn(part.after, part.before, right, rowsTop, "After");
        for (const double column : {left, right}) {
            plan_.systemWidthMarks.push_back(
                {column + kRowLabelWidth + systemWidth_ * scale_, rowsTop, rowsBottom});
        }
        const double bottom = rowsBottom + kPanelFooter;
        plan_.panels.push_back({kMargin, top, kPageWidth - 2 * kMargin, bottom - top});
        return bottom;
    }

    void PlanColumn(const Column& column, const Column& other, double left, double top,
                    const char* heading) {
        plan_.labels.push_back({left, top - 8, heading, Style::Caption, Anchor::Left});
        const std::map<ItemKey, std::int16_t> otherWidths = WidthsByItem(other.rows);
        for (std::size_t index = 0; index < column.rows.size(); ++index) {
            const double rowTop = top + static_cast<double>(index) * kRowHeight;
            plan_.labels.push_back({left, rowTop + kBoxTop + kBoxHeight - 5,
                                    MeasureRange(column.rows[index].system, terms_), Style::Caption,
                                    Anchor::Left});
            double x = left + kRowLabelWidth;
            for (const Item& item : column.rows[index].items) {
                x = PlanBox(item, otherWidths, x, rowTop);
            }
        }
    }

    // Places the box from the left edge given; answers where the next one starts.
    double PlanBox(const Item& item, const std::map<ItemKey, std::int16_t>& otherWidths, double x,
                   double rowTop) {
        const auto counterpart = otherWidths.find({item.kind, item.first, item.count});
        const bool changed = counterpart == otherWidths.end() || counterpart->second != item.width;
        const double width = std::max(std::max<double>(item.width, 0) * scale_, kMinBoxWidth);
        const double boxTop = rowTop + kBoxTop;
        plan_.boxes.push_back(
            {x, boxTop, width, kBoxHeight, item.kind, item.first, item.count, changed});
        if (item.kind == Kind::Rest) {
            plan_.labels.push_back({x + width / 2, boxTop - 3, std::to_string(item.count),
                                    Style::RestCount, Anchor::Centre});
        } else if (width >= kNumberedBoxWidth) {
            plan_.labels.push_back({x + width / 2, boxTop - 3, terms_.Bar(item.first),
                                    Style::MeasureNumber, Anchor::Centre});
        }
        return x + width;
    }

    ScoreTerms terms_;
    std::vector<PartColumns> parts_;
    double scale_ = 1;
    std::int32_t systemWidth_ = 0;
    PicturePlan plan_;
};

} // namespace

PicturePlan PicturePlan::Make(const LayoutSnapshot& before, const LayoutSnapshot& after,
                              const std::string& title) {
    return Planner(before, after).Plan(title);
}
