// A long randomized session, shared by the randomized session test and the
// soak program: one random step at a time (the host world changes, the
// model's commands, ticks, restarts, and what a user does with the Opal
// panel), each followed by one timer tick, and the invariant every step must
// keep:
//
// - each shown floating palette shows exactly the opacity that its stored
//   panels call for, computed here independently of the plug-in;
// - each row of the shown Opal panel's list names the panel that the row
//   table maps it to.
#pragma once

#include "SDKTypes.h"

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace host {
class Boss;
class Host;
class Session;
struct PaletteInfo;
namespace ui {
struct UserAction;
enum class ActionResult;
} // namespace ui
} // namespace host

namespace testing_support {

class RandomSession {
public:
    // Starts a session with the built plug-in on an empty host world; the
    // workspace lives in `workspaceFile`, so restarts read the model back.
    RandomSession(uint32 seed, std::string workspaceFile);
    ~RandomSession();
    RandomSession(const RandomSession&) = delete;
    RandomSession& operator=(const RandomSession&) = delete;

    // Why the session could not start, or empty.
    const std::string& Error() const { return fError; }
    // The host of the session now running.
    host::Host& TheHost() const;

    // One random step and one tick; returns what was done, in opalhost's
    // words where it has them.
    std::string Step();
    // The invariant's violations now, one line each; empty when it holds.
    std::vector<std::string> Violations();

    // Palette windows whose opacity the invariant compared so far.
    int64 WindowsChecked() const { return fWindowsChecked; }

private:
    std::string StepWorld();
    std::string StepModel();
    std::string SetStoredOpacity(const std::string& panel, int32 panelID);
    std::string SwitchOpacity();
    std::string StepPanel();
    std::string UseOpal(host::Boss* panel, int kind);
    std::string SelectRows(host::Boss* list);
    std::string ChooseMenuEntry(host::Boss* panel, ActionID action, const std::string& done);
    // What a person does, carried out as a click or a command would.
    host::ui::ActionResult Do(const host::ui::UserAction& action);
    std::string Restart();
    // What a step that added stored panels leaves behind: a window changes
    // only when its palette next changes, so the palettes are asked for as
    // that change would.
    void ApplyAllPalettes();
    void ApplyPaletteOf(int32 panelID);
    int32 StoredEntries() const;
    std::vector<std::string> WindowViolations();
    std::vector<std::string> ListViolations();

    int Pick(int n) { return static_cast<int>(fRandom() % static_cast<uint32>(n)); }
    const std::string& Any(const std::vector<std::string>& names) {
        return names[fRandom() % names.size()];
    }

    std::mt19937 fRandom;
    std::unique_ptr<host::Session> fSession;
    std::string fError;
    std::vector<std::string> fPalettes, fPanels;
    int64 fWindowsChecked = 0;
};

} // namespace testing_support
