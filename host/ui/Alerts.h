// The host's alerts. Every alert shown goes to the alert sink (opalhost
// prints it) and to a log of the latest ones. Alerts that offer "don't show again" are answered
// as the host is told to answer them; a "don't show again" answer is kept per
// alert ID on the workspace (IID_IALERTMEMORY) and so with the workspace file.
#pragma once

#include "core/Host.h"
#include "core/Layer.h"

#include <deque>
#include <set>
#include <string>

class IPMStream;

namespace host::ui {

enum class AlertAnswer { kOK, kDontShowAgain };

class OPAL_SDK_API Alerts final : public Layer {
public:
    static constexpr size_t kSlot = 4;
    explicit Alerts(Host& host) : fHost(host) {}

    // How alerts with the "don't show again" choice are answered from now on.
    void SetAnswer(AlertAnswer answer) { fAnswer = answer; }
    AlertAnswer Answer() const { return fAnswer; }

    // When set, a person answers each alert (in a window of the live
    // application) instead of the answer set above; `offered`: the alert
    // offers "don't show again".
    std::function<AlertAnswer(const std::string& text, bool offered)> ask;
    // The latest kLogLength alerts, oldest first: enough for a test to read
    // what it caused, and a long session does not grow with them.
    static constexpr size_t kLogLength = 64;
    const std::deque<std::string>& Log() const { return fLog; }
    void ClearLog() { fLog.clear(); }

    void Show(const std::string& text);

private:
    Host& fHost;
    AlertAnswer fAnswer = AlertAnswer::kOK;
    std::deque<std::string> fLog;
};

// The host's own alert with an OK button.
OPAL_SDK_API void ShowHostAlert(const std::string& text);

// The workspace part that keeps the alert IDs not to show again.
class AlertMemory;
OPAL_SDK_API bool IsAlertSuppressed(int32 alertID);
OPAL_SDK_API std::set<int32> SuppressedAlerts();

} // namespace host::ui
