#include "ui/FCCalvexWindow.h"

#include "binding/PluginState.h"
#include "engine/FCCalvexBlockHandler.h"
#include "framework/core/FCMusicRegion.h"
#include "framework/core/FCUI.h"
#include "framework/core/FCUndoBlock.h"
#include "framework/data/FCMultiMeasureRestPrefs.h"
#include "platform/IgnoredResult.h"
#include "resources/ResourceIds.h"
#include "ui/FCCtrlButton.h"
#include "ui/FCCtrlEdit.h"
#include "ui/FCCtrlPopup.h"
#include "ui/FCCtrlStatic.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr std::int32_t kOkCommand = 1;
constexpr std::int32_t kCancelCommand = 2;

constexpr std::int32_t kMinimumWidth = 100;
constexpr std::int32_t kMaximumWidth = 1000;
constexpr float kMinimumFactor = 1.1f;
constexpr float kMaximumFactor = 1.9f;

// A reference count is its popup item's index plus the first count.
constexpr std::int32_t kFirstCount = kFirstReferenceCount;
constexpr std::int32_t kLastCount = kLastReferenceCount;

// Counts from the settings file are not range-checked, so the shift between a count and its
// popup index wraps at the ends of the 32-bit range instead of overflowing.
std::int32_t Shifted(std::int32_t value, std::int32_t by) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) +
                                     static_cast<std::uint32_t>(by));
}

// The typed width rounded half away from zero to a whole EVPU and held within its range. The
// range is applied before the conversion, so no typed number can overflow it; a width that is
// no number counts as too small.
std::int32_t StoredWidth(double evpus) {
    const double rounded = std::round(evpus);
    if (!(rounded >= kMinimumWidth)) {
        return kMinimumWidth;
    }
    if (rounded > kMaximumWidth) {
        return kMaximumWidth;
    }
    return static_cast<std::int32_t>(rounded);
}

FCString ResourceText(std::uint32_t id) {
    FCString text;
    text.LoadResourceString(id, moduleHandle);
    return text;
}

void FillWithTexts(FCCtrlPopup* popup, std::initializer_list<std::uint32_t> ids) {
    popup->Clear();
    for (const std::uint32_t id : ids) {
        const FCString item = ResourceText(id);
        popup->AddItem(&item);
    }
}

// One item per count, the format string given the count as its only argument.
void FillWithCounts(FCCtrlPopup* popup, std::uint32_t formatID) {
    popup->Clear();
    FCString format = ResourceText(formatID);
    for (std::int32_t count = kFirstCount; count <= kLastCount; ++count) {
        FCString item;
        item.Format(format.GetCString(), count);
        popup->AddItem(&item);
    }
}

void EnableAll(std::initializer_list<FCControl*> controls, bool on) {
    for (FCControl* control : controls) {
        control->SetEnable(on);
    }
}

} // namespace

void FCCalvexWindow::CloseWindow() {
    RecordPlacement();
    StoreControlValues();
    FCResourceWindow::CloseWindow();
}

void FCCalvexWindow::InitWindow() {
    FCResourceWindow::InitWindow();
    FillPopups();
    LoadControlValues();
    UpdateEnabling();
    ApplyPlacement();
}

void FCCalvexWindow::HandleOk() {
    RecordPlacement();
    StoreControlValues();
    ApplySpacing();
}

bool FCCalvexWindow::HandleCommand(FCControl* control) {
    if (control != spacingModePopup_ && control != simpleRestsCheck_ &&
        control != multimeasureCheck_) {
        return false;
    }
    UpdateEnabling();
    return true;
}

void FCCalvexWindow::CreateControls() {
    applyButton_ = CreateButton(kApplyButton);
    applyButton_->SetCommandKind(kOkCommand);
    closeButton_ = CreateButton(kCloseButton);
    closeButton_->SetCommandKind(kCancelCommand);
    spacingModeLabel_ = CreateStatic(kSpacingModeLabel);
    spacingModePopup_ = CreatePopup(kSpacingModePopup);
    scopeLabel_ = CreateStatic(kScopeLabel);
    scopePopup_ = CreatePopup(kScopePopup);
    simpleRestsCheck_ = CreateCheckbox(kSimpleRestsCheck);
    defaultWidthLabel_ = CreateStatic(kDefaultWidthLabel);
    defaultWidthEdit_ = CreateEdit(kDefaultWidthEdit);
    referenceMeasureLabel_ = CreateStatic(kReferenceMeasureLabel);
    referenceMeasurePopup_ = CreatePopup(kReferenceMeasurePopup);
    multimeasureCheck_ = CreateCheckbox(kMultimeasureCheck);
    scalingFactorLabel_ = CreateStatic(kScalingFactorLabel);
    scalingFactorEdit_ = CreateEdit(kScalingFactorEdit);
    durationsCheck_ = CreateCheckbox(kDurationsCheck);
    referenceRestLabel_ = CreateStatic(kReferenceRestLabel);
    referenceRestPopup_ = CreatePopup(kReferenceRestPopup);
}

void FCCalvexWindow::LoadControlValues() {
    scopePopup_->SetSelectedItem(PluginSettings.processingMode);
    spacingModePopup_->SetSelectedItem(PluginSettings.spacingMode);
    simpleRestsCheck_->SetCheck(PluginSettings.useSingleRestSpacing);
    defaultWidthEdit_->SetMeasurement(PluginSettings.defaultSingleWidth);
    referenceMeasurePopup_->SetSelectedItem(
        Shifted(PluginSettings.singleRestReference, -kFirstCount));
    multimeasureCheck_->SetCheck(PluginSettings.useMMRestSpacing);
    scalingFactorEdit_->SetFloat(PluginSettings.mmRestScalingFactor);
    durationsCheck_->SetCheck(PluginSettings.useMMDurationSpacing);
    referenceRestPopup_->SetSelectedItem(Shifted(PluginSettings.mmRestReference, -kFirstCount));
}

void FCCalvexWindow::UpdateEnabling() {
    const std::int32_t mode = spacingModePopup_->GetSelectedItem();
    const bool notNonRest = mode != kModeNonRest;
    const bool respace = mode == kModeRespace;
    const bool single = simpleRestsCheck_->GetCheck() != 0;
    const bool multi = multimeasureCheck_->GetCheck() != 0;
    simpleRestsCheck_->SetEnable(notNonRest);
    EnableAll(
        {defaultWidthLabel_, defaultWidthEdit_, referenceMeasureLabel_, referenceMeasurePopup_},
        notNonRest && respace && single);
    multimeasureCheck_->SetEnable(notNonRest);
    EnableAll({referenceRestLabel_, referenceRestPopup_}, notNonRest && respace && multi);
    EnableAll({scalingFactorLabel_, scalingFactorEdit_}, notNonRest && multi);
    durationsCheck_->SetEnable(multi && notNonRest);
}

void FCCalvexWindow::StoreControlValues() {
    PluginSettings.processingMode = scopePopup_->GetSelectedItem();
    PluginSettings.spacingMode = spacingModePopup_->GetSelectedItem();
    PluginSettings.defaultSingleWidth = StoredWidth(defaultWidthEdit_->GetMeasurement());
    PluginSettings.useSingleRestSpacing = simpleRestsCheck_->GetCheck() != 0;
    PluginSettings.singleRestReference =
        Shifted(referenceMeasurePopup_->GetSelectedItem(), kFirstCount);
    PluginSettings.useMMRestSpacing = multimeasureCheck_->GetCheck() != 0;
    PluginSettings.mmRestScalingFactor =
        scalingFactorEdit_->GetFloat(kMinimumFactor, kMaximumFactor);
    PluginSettings.useMMDurationSpacing = durationsCheck_->GetCheck() != 0;
    PluginSettings.mmRestReference = Shifted(referenceRestPopup_->GetSelectedItem(), kFirstCount);
}

// Redistributing non-rest measures needs a region, and a region scope needs a selection; the
// pass itself is one undoable edit titled with the extension's name.
void FCCalvexWindow::ApplySpacing() {
    const std::int32_t scope = scopePopup_->GetSelectedItem();
    const std::int32_t mode = spacingModePopup_->GetSelectedItem();
    if (scope != kScopeRegion && mode == kModeNonRest) {
        ShowInfo(IDS_MSG_WRONG_COMBINATION, IDS_TITLE_WRONG_COMBINATION);
        return;
    }
    if (scope == kScopeRegion) {
        FCMusicRegion selection;
        Ignore(selection.LoadCurrentSelection(), Because::Prefilled);
        if (selection.IsEmpty()) {
            ShowInfo(IDS_MSG_NO_SELECTION, IDS_TITLE_NO_SELECTION);
            return;
        }
    }
    if (!ConfirmAutoUpdateOff(mode)) {
        return;
    }
    StoreControlValues();
    const FCString title = ResourceText(IDS_EXTENSION_NAME);
    FCUndoBlock block;
    FCCalvexBlockHandler handler(ui_);
    RunBlock(&block, &handler, &title);
}

void FCCalvexWindow::ShowInfo(std::uint32_t textID, std::uint32_t titleID) const {
    const FCString text = ResourceText(textID);
    const FCString title = ResourceText(titleID);
    ui_->AlertInfo(&text, &title);
}

// Multimeasure rests come out wrong while the host updates them by itself. The engine turns the
// option off inside the pass; the user is asked first and may stop here with nothing changed.
bool FCCalvexWindow::ConfirmAutoUpdateOff(std::int32_t spacingMode) const {
    FCMultiMeasureRestPrefs prefs;
    Ignore(prefs.LoadFirst(), Because::Prefilled);
    if (multimeasureCheck_->GetCheck() == 0 || !prefs.GetAutoUpdate() ||
        spacingMode == kModeNonRest) {
        return true;
    }
    const FCString text = ResourceText(IDS_MSG_AUTO_UPDATE);
    const FCString title = ResourceText(IDS_TITLE_AUTO_UPDATE);
    return ui_->AlertYesNo(&text, &title) != FCUI::kNo;
}

void FCCalvexWindow::FillPopups() {
    FillWithTexts(spacingModePopup_, {IDS_MODE_REDISTRIBUTE, IDS_MODE_RESPACE, IDS_MODE_NON_REST});
    FillWithTexts(scopePopup_, {IDS_SCOPE_REGION, IDS_SCOPE_SCORE_AND_PARTS, IDS_SCOPE_PARTS_ONLY});
    FillWithCounts(referenceMeasurePopup_, IDS_QUARTER_NOTES);
    FillWithCounts(referenceRestPopup_, IDS_MEASURES);
}
