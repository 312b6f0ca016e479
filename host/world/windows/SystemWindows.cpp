// The palettes' windows on Windows: top-level tool windows like the host's.
#include "core/Text.h"
#include "world/World.h"

namespace host {
namespace {

class SystemWindows final : public PaletteWindows {
public:
    HWND Create(const std::string& name, ScreenPoint place) override {
        static const wchar_t kClassName[] = L"OpalHostPalette";
        static const bool registered = [] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = DefWindowProcW;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = kClassName;
            return RegisterClassW(&windowClass) != 0;
        }();
        (void)registered;
        const std::wstring title = UTF8ToWide(name);
        return CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, title.c_str(), WS_POPUP | WS_CAPTION,
                               place.x, place.y, 220, 320, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    }
    void Destroy(HWND window) override { DestroyWindow(window); }
    void Show(HWND window, bool shown) override {
        // A palette that appears leaves the focus where it was, as the host's do.
        ShowWindow(window, shown ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    bool IsShown(HWND window) const override { return IsWindowVisible(window) != FALSE; }
};

} // namespace

std::unique_ptr<PaletteWindows> NewSystemWindows(Host& /*host*/) {
    return std::make_unique<SystemWindows>();
}

} // namespace host
