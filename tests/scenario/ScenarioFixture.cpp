#include "scenario/ScenarioFixture.h"

#include "binding/PluginState.h"
#include "host/formats/json/ScoreFile.h"
#include "host/model/HostRecords.h"
#include "hostinterface/RecordBytes.h"
#include "tests/support/LinkedPlugin.h"

#include <fstream>
#include <sstream>

namespace {

namespace Measure = HostRecords::Measure;
namespace System = HostRecords::System;
namespace Rest = HostRecords::Rest;

std::int16_t Word(RecordStore::Found record, std::size_t offset) {
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
    for (std::uint16_t measure = 1; const auto record = layout.Find(Measure::kTag, measure, 0, 0);
         ++measure) {
        widths.push_back(Word(record, Measure::kWidth));
    }
    return widths;
}

std::int16_t ScenarioFixture::RestWidth(std::int16_t first, std::int16_t part) {
    return Word(
        host.Document().LayoutOf(part).Find(Rest::kTag, static_cast<std::uint16_t>(first), 0, 0),
        Rest::kWidth);
}

std::int16_t ScenarioFixture::RestAdjust(std::int16_t first, std::int16_t part) {
    return Word(
        host.Document().LayoutOf(part).Find(Rest::kTag, static_cast<std::uint16_t>(first), 0, 0),
        Rest::kRestAdjust);
}

std::vector<std::pair<std::int16_t, std::int16_t>> ScenarioFixture::Systems(std::int16_t part) {
    std::vector<std::pair<std::int16_t, std::int16_t>> systems;
    RecordStore& layout = host.Document().LayoutOf(part);
    for (std::uint16_t system = 1; const auto record = layout.Find(System::kTag, system, 0, 0);
         ++system) {
        systems.emplace_back(Word(record, System::kFirst), Word(record, System::kNext));
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
