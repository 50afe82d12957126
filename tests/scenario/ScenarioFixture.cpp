#include "scenario/ScenarioFixture.h"

#include "binding/PluginState.h"
#include "host/ScoreFile.h"
#include "hostinterface/RecordBytes.h"
#include "tests/support/LinkedPlugin.h"

#include <fstream>
#include <sstream>

namespace {

constexpr std::uint32_t kMeasureTag = 0x534F4D53;
constexpr std::uint32_t kSystemTag = 0x534F5353;
constexpr std::uint32_t kRestTag = 0x4F025849;

std::int16_t Word(const RecordStore::Bytes* record, std::size_t offset) {
    return record ? RecordBytes::Read<std::int16_t>(record->data(), offset) : -1;
}

} // namespace

void ScenarioFixture::SetUp() {
    HostFixture::SetUp();
    PluginSettings = PluginSettingsRecord::Defaults();
}

void ScenarioFixture::Load(const std::string& json) {
    ScoreFile::Apply(json, host);
    hostVersion = host.Version();
}

void ScenarioFixture::LoadExample(const std::string& name) {
    std::ifstream in(std::string(CALVEX_SOURCE_DIR) + "/examples/" + name + ".json");
    std::ostringstream text;
    text << in.rdbuf();
    Load(text.str());
}

std::unique_ptr<ScoreSource> ScenarioFixture::LoadFile(const std::string& path, bool linkedParts) {
    host.Reset();
    std::unique_ptr<ScoreSource> source = ScoreSource::Open(path, linkedParts, host);
    hostVersion = host.Version();
    return source;
}

bool ScenarioFixture::RunPass() {
    return LinkedPlugin::RunSpacingPass();
}

std::vector<std::int16_t> ScenarioFixture::MeasureWidths(std::int16_t part) {
    std::vector<std::int16_t> widths;
    RecordStore& layout = host.Document().LayoutOf(part);
    for (std::uint16_t measure = 1; const auto* record = layout.Find(kMeasureTag, measure, 0, 0);
         ++measure) {
        widths.push_back(Word(record, 0));
    }
    return widths;
}

std::int16_t ScenarioFixture::RestWidth(std::int16_t first, std::int16_t part) {
    return Word(
        host.Document().LayoutOf(part).Find(kRestTag, static_cast<std::uint16_t>(first), 0, 0), 0);
}

std::int16_t ScenarioFixture::RestAdjust(std::int16_t first, std::int16_t part) {
    return Word(
        host.Document().LayoutOf(part).Find(kRestTag, static_cast<std::uint16_t>(first), 0, 0), 18);
}

std::vector<std::pair<std::int16_t, std::int16_t>> ScenarioFixture::Systems(std::int16_t part) {
    std::vector<std::pair<std::int16_t, std::int16_t>> systems;
    RecordStore& layout = host.Document().LayoutOf(part);
    for (std::uint16_t system = 1; const auto* record = layout.Find(kSystemTag, system, 0, 0);
         ++system) {
        systems.emplace_back(Word(record, 8), Word(record, 12));
    }
    return systems;
}

void ScenarioFixture::Choose(int scope, int mode) {
    PluginSettings.processingMode = scope;
    PluginSettings.spacingMode = mode;
}

void ScenarioFixture::ChooseRandomly(RandomDocument& document) {
    PluginSettings = PluginSettingsRecord::Defaults();
    PluginSettings.processingMode = document.Pick(0, 2);
    PluginSettings.spacingMode = document.Pick(0, 2);
    PluginSettings.useSingleRestSpacing = document.Pick(0, 3) != 0;
    PluginSettings.useMMRestSpacing = document.Pick(0, 3) != 0;
    PluginSettings.useMMDurationSpacing = document.Pick(0, 1) != 0;
    PluginSettings.singleRestReference = document.Pick(-1, 9);
    PluginSettings.mmRestReference = document.Pick(-1, 9);
    PluginSettings.defaultSingleWidth = document.Pick(-100, 40000);
    PluginSettings.mmRestScalingFactor = static_cast<float>(document.Pick(-5, 30)) / 10.0f;
}
