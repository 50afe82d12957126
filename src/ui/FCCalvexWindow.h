// The plug-in's dialog: the user picks the spacing mode, the scope and the options for empty
// measures and multimeasure rests, and presses Apply to run one spacing pass. The dialog is
// modeless; Apply leaves it open and only Close (or the close box) closes it. One object lives
// from the first invocation to termination and shows PluginSettings, storing the controls back
// into them on Apply and on Close.
#pragma once

#include "resources/ResourceIds.h"
#include "ui/FCResourceWindow.h"

#include <cstdint>

class FCCtrlButton;
class FCCtrlCheckbox;
class FCCtrlEdit;
class FCCtrlPopup;
class FCCtrlStatic;
class FCUI;

class FCCalvexWindow : public FCResourceWindow {
public:
    // Item IDs of the dialog template.
    enum ItemID : std::int16_t {
        kApplyButton = IDC_APPLY,
        kCloseButton = IDC_CLOSE,
        kSpacingModeLabel = IDC_SPACING_MODE_LABEL,
        kSpacingModePopup = IDC_SPACING_MODE_POPUP,
        kScopeLabel = IDC_SCOPE_LABEL,
        kScopePopup = IDC_SCOPE_POPUP,
        kSimpleRestsCheck = IDC_SIMPLE_RESTS_CHECK,
        kDefaultWidthLabel = IDC_DEFAULT_WIDTH_LABEL,
        kDefaultWidthEdit = IDC_DEFAULT_WIDTH_EDIT,
        kReferenceMeasureLabel = IDC_REFERENCE_MEASURE_LABEL,
        kReferenceMeasurePopup = IDC_REFERENCE_MEASURE_POPUP,
        kMultimeasureCheck = IDC_MULTIMEASURE_CHECK,
        kScalingFactorEdit = IDC_SCALING_FACTOR_EDIT,
        kScalingFactorLabel = IDC_SCALING_FACTOR_LABEL,
        kDurationsCheck = IDC_DURATIONS_CHECK,
        kReferenceRestLabel = IDC_REFERENCE_REST_LABEL,
        kReferenceRestPopup = IDC_REFERENCE_REST_POPUP,
    };

    static constexpr std::int32_t kResourceID = IDD_CALVEX;

    // ui shows the message boxes and is handed on to the spacing pass; the window does not own it.
    explicit FCCalvexWindow(FCUI* ui) : FCResourceWindow(kResourceID), ui_(ui) {}

    // Remembers the position and stores the values before the dialog closes.
    void CloseWindow() override;
    // Fills the popups afresh, shows PluginSettings and moves to the remembered position.
    void InitWindow() override;
    // Apply: remembers the position, stores the values and runs a pass; the dialog stays open.
    void HandleOk() override;
    // The spacing mode and the two main check boxes change which options apply.
    bool HandleCommand(FCControl* control) override;

    // Creates the seventeen control objects in template order, before the window exists.
    void CreateControls();
    // PluginSettings into the controls.
    void LoadControlValues();
    // Enables exactly the options that the spacing mode and the check boxes leave in use.
    void UpdateEnabling();
    // The controls into PluginSettings, width and factor held within their ranges.
    void StoreControlValues();
    // Checks the choices, asks what needs asking, and runs one undoable spacing pass.
    void ApplySpacing();

    FCUI* GetUI() const { return ui_; }

private:
    // Shows one of the dialog's messages (string IDs of text and title).
    void ShowInfo(std::uint32_t textID, std::uint32_t titleID) const;
    // False when the user declines to have the automatic multimeasure update turned off.
    bool ConfirmAutoUpdateOff(std::int32_t spacingMode) const;
    void FillPopups();

    FCUI* ui_;
    FCCtrlButton* applyButton_ = nullptr;
    FCCtrlButton* closeButton_ = nullptr;
    FCCtrlStatic* spacingModeLabel_ = nullptr;
    FCCtrlPopup* spacingModePopup_ = nullptr;
    FCCtrlStatic* scopeLabel_ = nullptr;
    FCCtrlPopup* scopePopup_ = nullptr;
    FCCtrlCheckbox* simpleRestsCheck_ = nullptr;
    FCCtrlStatic* defaultWidthLabel_ = nullptr;
    FCCtrlEdit* defaultWidthEdit_ = nullptr;
    FCCtrlStatic* referenceMeasureLabel_ = nullptr;
    FCCtrlPopup* referenceMeasurePopup_ = nullptr;
    FCCtrlCheckbox* multimeasureCheck_ = nullptr;
    FCCtrlStatic* scalingFactorLabel_ = nullptr;
    FCCtrlEdit* scalingFactorEdit_ = nullptr;
    FCCtrlCheckbox* durationsCheck_ = nullptr;
    FCCtrlStatic* referenceRestLabel_ = nullptr;
    FCCtrlPopup* referenceRestPopup_ = nullptr;
};
