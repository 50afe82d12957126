#include "ui/FCControl.h"

#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "platform/IgnoredResult.h"
#include "ui/FCUserWindow.h"

#include <vector>

namespace {

constexpr std::int32_t kTextWorkArea = 5000;

} // namespace

void FCControl::ApplyCachedState() {
    if (textSet_) {
        SetText(&text_);
    }
    if (enabledSet_) {
        SetEnable(enabled_);
    }
    if (visibleSet_) {
        SetVisible(visible_);
    }
    if (width_.set) {
        SetWidth(width_.value);
    }
    if (height_.set) {
        SetHeight(height_.value);
    }
    if (left_.set) {
        SetLeft(left_.value);
    }
    if (top_.set) {
        SetTop(top_.value);
    }
}

void FCControl::CaptureState() {
    GetText(&text_);
    enabled_ = IsEnabled();
    visible_ = IsVisible();
    width_.value = GetWidth();
    height_.value = GetHeight();
    left_.value = GetLeft();
    top_.value = GetTop();
}

void FCControl::Redraw() {
    if (const HWND item = ItemHandle()) {
        InvalidateRect(item, nullptr, FALSE);
    }
}

void FCControl::SetEnable(bool on) {
    if (IsLive()) {
        Ignore(HostApi::EnableDlgItem(ParentHandle(), controlID_, on ? 1 : 0), Because::NoRemedy);
        return;
    }
    enabled_ = on;
    enabledSet_ = true;
}

bool FCControl::IsEnabled() {
    return IsLive() ? IsWindowEnabled(ItemHandle()) != FALSE : enabled_;
}

void FCControl::SetVisible(bool on) {
    if (IsLive()) {
        ShowWindow(ItemHandle(), on ? SW_SHOW : SW_HIDE);
        return;
    }
    visible_ = on;
    visibleSet_ = true;
}

// Without an item there is nothing to focus; focusing nothing would take the focus from
// whichever window holds it.
void FCControl::SetFocus() {
    if (const HWND item = ItemHandle()) {
        ::SetFocus(item);
    }
}

void FCControl::SetText(const FCString* text) {
    FCString copy;
    copy.SetString(text);
    if (!IsLive()) {
        text_ = copy;
        textSet_ = true;
    } else if (HostTakesUTF16()) {
        Ignore(HostApi::SetDlgStringUTF16(ParentHandle(), controlID_,
                                          reinterpret_cast<const std::uint16_t*>(copy.GetUTF16())),
               Because::NoRemedy);
    } else {
        Ignore(HostApi::SetDlgString(ParentHandle(), controlID_, copy.GetCString()),
               Because::NoRemedy);
    }
}

void FCControl::GetText(FCString* out) {
    if (!out) {
        return;
    }
    if (!IsLive()) {
        if (out != &text_) {
            out->SetString(&text_);
        }
    } else if (HostTakesUTF16()) {
        std::vector<char16_t> area(kTextWorkArea, u'\0');
        Ignore(HostApi::GetDlgStringUTF16(ParentHandle(), controlID_,
                                          reinterpret_cast<std::uint16_t*>(area.data()),
                                          kTextWorkArea),
               Because::Prefilled);
        area.back() = 0;
        out->SetUTF16(area.data());
    } else {
        std::vector<char> area(kTextWorkArea, '\0');
        Ignore(HostApi::GetDlgString(ParentHandle(), controlID_, area.data(), kTextWorkArea),
               Because::Prefilled);
        area.back() = 0;
        out->SetCString(area.data());
    }
}

void FCControl::ResizeBy(float dx, float dy) {
    if (ItemHandle()) {
        const RECT rect = ItemRect();
        SizeItem(static_cast<float>(rect.right - rect.left) + dx,
                 static_cast<float>(rect.bottom - rect.top) + dy);
    }
}

bool FCControl::IsVisible() {
    return IsLive() ? IsWindowVisible(ItemHandle()) != FALSE : visible_;
}

float FCControl::GetLeft() {
    return IsLive() ? static_cast<float>(ItemCorner().x) : left_.value;
}

float FCControl::GetTop() {
    return IsLive() ? static_cast<float>(ItemCorner().y) : top_.value;
}

float FCControl::GetWidth() {
    if (!IsLive()) {
        return width_.value;
    }
    const RECT rect = ItemRect();
    return static_cast<float>(rect.right - rect.left);
}

float FCControl::GetHeight() {
    if (!IsLive()) {
        return height_.value;
    }
    const RECT rect = ItemRect();
    return static_cast<float>(rect.bottom - rect.top);
}

void FCControl::SetLeft(float left) {
    if (IsLive()) {
        MoveItem(left, GetTop());
        return;
    }
    left_ = {left, true};
}

void FCControl::SetTop(float top) {
    if (IsLive()) {
        MoveItem(GetLeft(), top);
        return;
    }
    top_ = {top, true};
}

void FCControl::SetWidth(float width) {
    if (IsLive()) {
        SizeItem(width, GetHeight());
        return;
    }
    width_ = {width, true};
}

void FCControl::SetHeight(float height) {
    if (IsLive()) {
        SizeItem(GetWidth(), height);
        return;
    }
    height_ = {height, true};
}

bool FCControl::IsLive() const {
    return ItemHandle() != nullptr;
}

HWND FCControl::ParentHandle() const {
    return parent_ ? parent_->GetWindowHandle() : nullptr;
}

HWND FCControl::ItemHandle() const {
    const HWND parent = ParentHandle();
    return parent ? GetDlgItem(parent, controlID_) : nullptr;
}

FCString& FCControl::CachedTextToSet() {
    textSet_ = true;
    return text_;
}

RECT FCControl::ItemRect() const {
    RECT rect{};
    GetWindowRect(ItemHandle(), &rect);
    return rect;
}

POINT FCControl::ItemCorner() const {
    const RECT rect = ItemRect();
    POINT corner{rect.left, rect.top};
    ScreenToClient(ParentHandle(), &corner);
    return corner;
}

void FCControl::MoveItem(float left, float top) {
    SetWindowPos(ItemHandle(), nullptr, static_cast<int>(left), static_cast<int>(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

void FCControl::SizeItem(float width, float height) {
    SetWindowPos(ItemHandle(), nullptr, 0, 0, static_cast<int>(width), static_cast<int>(height),
                 SWP_NOMOVE | SWP_NOZORDER);
}
