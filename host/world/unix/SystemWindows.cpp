// The palettes' windows off Windows: windows of the host's stand-in window
// system.
#include "core/unix/StandInWindows.h"
#include "world/World.h"

namespace host {
namespace {

class SystemWindows final : public PaletteWindows {
public:
    explicit SystemWindows(WindowSystem& system) : fSystem(system) {}
    HWND Create(const std::string& /*name*/, ScreenPoint /*place*/) override {
        return CreateStandInWindow(fSystem);
    }
    void Destroy(HWND window) override { DestroyStandInWindow(fSystem, window); }
    void Show(HWND window, bool shown) override { ShowStandInWindow(fSystem, window, shown); }
    bool IsShown(HWND window) const override { return IsStandInWindowShown(fSystem, window); }

private:
    WindowSystem& fSystem;
};

} // namespace

std::unique_ptr<PaletteWindows> NewSystemWindows(Host& host) {
    return std::make_unique<SystemWindows>(host.Windows());
}

} // namespace host
