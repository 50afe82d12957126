#include "ui/TestWindow.h"

// Like the plug-in's own dialog: a remembered placement is applied at initialisation and
// recorded at closing.
void TestWindow::InitWindow() {
    beforeInit(GetWindowHandle());
    FCResourceWindow::InitWindow();
    Write("Init");
    ApplyPlacement();
    afterInit(GetWindowHandle());
}

void TestWindow::CloseWindow() {
    Write("CloseWindow");
    RecordPlacement();
    FCResourceWindow::CloseWindow();
}

void TestWindow::HandleCancel() {
    Write("Cancel");
    FCResourceWindow::HandleCancel();
}

void TestWindow::HandleOk() {
    Write("Ok");
    FCResourceWindow::HandleOk();
}

void TestWindow::HandleClose() {
    Write("Close");
    FCResourceWindow::HandleClose();
}

bool TestWindow::HandleCommand(FCControl* control) {
    WriteFor("Command", control);
    return commandsHandled;
}

void TestWindow::HandleTabChange(FCControl* control, int tabIndex) {
    WriteFor("Tab " + std::to_string(tabIndex), control);
}

void TestWindow::HandleUpDown(FCControl* control, int step) {
    WriteFor("UpDown " + std::to_string(step), control);
}

void TestWindow::HandleListSelect(FCControl* control, int itemIndex) {
    WriteFor("ListSelect " + std::to_string(itemIndex), control);
}

void TestWindow::HandleListCheck(FCControl* control, int itemIndex, bool checked) {
    WriteFor("ListCheck " + std::to_string(itemIndex) + (checked ? " on" : " off"), control);
}

void TestWindow::HandleTimer(std::uint16_t timerID) {
    Write("Timer " + std::to_string(timerID));
}

void TestWindow::HandleActivate(bool active) {
    Write(active ? "Activate" : "Deactivate");
}

void TestWindow::HandleResize(int newWidth, int newHeight, int oldWidth, int oldHeight) {
    Write("Resize " + std::to_string(newWidth) + "x" + std::to_string(newHeight) + " from " +
          std::to_string(oldWidth) + "x" + std::to_string(oldHeight));
}

void TestWindow::Write(const std::string& entry) {
    log.push_back(entry);
}

// The entry and the control's item ID, or "none" for a command from an item without a control.
void TestWindow::WriteFor(const std::string& entry, FCControl* control) {
    log.push_back(entry + " @" + (control ? std::to_string(control->GetControlID()) : "none"));
}
