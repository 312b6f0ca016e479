// The host's alerts. Every alert shown goes to those who subscribe to the
// alerts' channel (opalhost prints it) and to a log of the latest ones.
// Alerts that offer "don't show again" are answered as the host is told to
// answer them, or by a person when a client answers in the user's place; a
// "don't show again" answer is kept per alert ID on the workspace
// (IID_IALERTMEMORY) and so with the workspace file.
#pragma once

#include "core/Host.h"
#include "core/Layer.h"

#include <deque>
#include <set>
#include <string>

class IPMStream;

namespace host::ui {

// The workspace part that keeps the alert IDs not to show again.
class AlertMemory;

enum class AlertAnswer { kOK, kDontShowAgain };

// An alert was shown.
struct AlertEvent {
    std::string text;
};

// A person answers each alert (in a window of the live application) instead
// of the answer set on the host; `offered`: the alert offers "don't show
// again".
class AlertAnswerer {
public:
    virtual ~AlertAnswerer() = default;
    virtual AlertAnswer Answer(const std::string& text, bool offered) = 0;
};

class OPAL_SDK_API Alerts final : public Layer {
public:
    static constexpr size_t kSlot = 4;
    explicit Alerts(Host& host) : fHost(host) {}

    // How alerts with the "don't show again" choice are answered from now on.
    void SetAnswer(AlertAnswer answer) { fAnswer = answer; }
    AlertAnswer Answer() const { return fAnswer; }

    // Alerts as they are shown, to those who subscribe.
    Channel<AlertEvent> shown;
    // Who answers in the user's place, when someone does.
    Service<AlertAnswerer> answerer;
    // The latest kLogLength alerts, oldest first: enough for a test to read
    // what it caused, and a long session does not grow with them.
    static constexpr size_t kLogLength = 64;
    const std::deque<std::string>& Log() const { return fLog; }
    void ClearLog() { fLog.clear(); }

    // Records and reports the alert; nobody answers.
    void Show(const std::string& text);
    // The host's own alert with an OK button.
    void ShowHostAlert(const std::string& text);
    // A warning that offers "don't show again" (CAlert's): nothing when that
    // was answered before for `alertID`; returns the button pressed.
    int16 WarningWithDontShowAgain(const std::string& text, int32 alertID);

    // The alert IDs not to show again, kept on the session's workspace.
    bool IsSuppressed(int32 alertID) const;
    std::set<int32> Suppressed() const;

private:
    AlertMemory* Memory() const;
    AlertAnswer Ask(const std::string& text, bool offered);

    Host& fHost;
    AlertAnswer fAnswer = AlertAnswer::kOK;
    std::deque<std::string> fLog;
};

} // namespace host::ui
