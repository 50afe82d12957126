#include "platform/native/NativeWindowStore.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr LONG kFrameWidth = 3;
constexpr LONG kCaptionHeight = 19;
constexpr std::uintptr_t kHandleStep = 4;

} // namespace

bool NativeWindow::IsClass(const char16_t* name) const {
    const std::u16string other(name);
    return std::equal(className.begin(), className.end(), other.begin(), other.end(),
                      [](char16_t a, char16_t b) {
                          const auto lower = [](char16_t c) {
                              return c < 0x80 ? static_cast<char16_t>(std::tolower(c)) : c;
                          };
                          return lower(a) == lower(b);
                      });
}

NativeWindowStore& NativeWindowStore::Instance() {
    static NativeWindowStore store;
    return store;
}

NativeWindow& NativeWindowStore::Add(NativeWindow window) {
    nextHandle_ += kHandleStep;
    window.handle = reinterpret_cast<HWND>(nextHandle_);
    auto stored = std::make_unique<NativeWindow>(std::move(window));
    NativeWindow& added = *stored;
    windows_[nextHandle_] = std::move(stored);
    return added;
}

NativeWindow* NativeWindowStore::Find(HWND handle) {
    const auto found = windows_.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == windows_.end() ? nullptr : found->second.get();
}

void NativeWindowStore::Erase(HWND handle) {
    windows_.erase(reinterpret_cast<std::uintptr_t>(handle));
    if (active == handle) {
        active = nullptr;
    }
    if (focus == handle) {
        focus = nullptr;
    }
}

std::vector<HWND> NativeWindowStore::ChildrenOf(HWND parent) const {
    std::vector<HWND> children;
    for (const auto& [key, window] : windows_) {
        if (window->parent == parent && window->IsChild()) {
            children.push_back(window->handle);
        }
    }
    return children;
}

std::vector<HWND> NativeWindowStore::OwnedBy(HWND owner) const {
    std::vector<HWND> owned;
    for (const auto& [key, window] : windows_) {
        if (window->parent == owner && !window->IsChild()) {
            owned.push_back(window->handle);
        }
    }
    return owned;
}

POINT NativeWindowStore::ClientOrigin(const NativeWindow& window) {
    const RECT outer = ScreenRect(window);
    const RECT insets = Insets(window.style, window.IsChild());
    return {outer.left + insets.left, outer.top + insets.top};
}

RECT NativeWindowStore::ScreenRect(const NativeWindow& window) {
    NativeWindow* parent = window.IsChild() ? Find(window.parent) : nullptr;
    if (!parent) {
        return window.rect;
    }
    const POINT origin = ClientOrigin(*parent);
    return {window.rect.left + origin.x, window.rect.top + origin.y, window.rect.right + origin.x,
            window.rect.bottom + origin.y};
}

RECT NativeWindowStore::ClientRect(const NativeWindow& window) const {
    const RECT insets = Insets(window.style, window.IsChild());
    const LONG width = window.rect.right - window.rect.left - insets.left - insets.right;
    const LONG height = window.rect.bottom - window.rect.top - insets.top - insets.bottom;
    return {0, 0, std::max<LONG>(width, 0), std::max<LONG>(height, 0)};
}

RECT NativeWindowStore::OuterRect(RECT client, DWORD style, bool child) {
    const RECT insets = Insets(style, child);
    return {client.left - insets.left, client.top - insets.top, client.right + insets.right,
            client.bottom + insets.bottom};
}

RECT NativeWindowStore::Insets(DWORD style, bool child) {
    if (child || (style & WS_CAPTION) != WS_CAPTION) {
        return {0, 0, 0, 0};
    }
    return {kFrameWidth, kFrameWidth + kCaptionHeight, kFrameWidth, kFrameWidth};
}
