// The plug-in's model and the workspace file: do add-alpha, do set-alpha,
// do on-off, do ignore-closed, print data, print workspace, save, restart,
// simulate crash-before-rename.
#include "DataInterfaces.h"
#include "ICommand.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "core/Host.h"
#include "core/Text.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"
#include "persistence/FileOps.h"
#include "persistence/WorkspaceFile.h"
#include "script/Commands.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace host {
namespace {

// The opacities, in percent, that the Opal panel's field takes.
constexpr double kLeastOpacity = 15.0;
constexpr double kMostOpacity = 100.0;

template <class T>
InterfacePtr<T> WorkspaceModel(const ScriptContext& c, PMIID iid, const char* what) {
    Boss* workspace = c.session.GetHost().WorkspaceBoss();
    InterfacePtr<T> model(workspace ? static_cast<T*>(workspace->QueryInternal(iid)) : nullptr);
    if (!model)
        throw ScriptError(std::string("the workspace has no ") + what);
    return model;
}

// Runs a model command as a caller of the plug-in does: create it, give it
// its arguments, execute it, release it.
template <class SetArguments>
void RunModelCommand(ClassID commandClass, const char* name, SetArguments setArguments) {
    InterfacePtr<ICommand> command(CmdUtils::CreateCommand(commandClass));
    if (!command)
        throw ScriptError(std::string("the plug-in has no ") + name + " command");
    setArguments(command);
    CmdUtils::ExecuteCommand(command.get());
}

template <class T, class V>
void SetArgument(const InterfacePtr<ICommand>& command, PMIID iid, V value) {
    InterfacePtr<T> data(command, iid);
    if (!data)
        throw ScriptError("the command has no argument data");
    data->Set(value);
}

bool16 ParseSwitch(const std::string& word) {
    if (word == "0")
        return kFalse;
    if (word == "1")
        return kTrue;
    throw ScriptError("expected 0 or 1, not " + Shown(word));
}

// A decimal number: optional sign, digits with an optional fraction, an
// optional exponent; nothing else, and nothing beyond the range of a double.
double ParseDecimal(const std::string& word) {
    size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-'))
        ++i;
    const size_t start = i;
    size_t digits = 0;
    auto skipDigits = [&] {
        while (i < word.size() && word[i] >= '0' && word[i] <= '9')
            ++i, ++digits;
    };
    skipDigits();
    if (i < word.size() && word[i] == '.')
        ++i, skipDigits();
    if (digits > 0 && i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        if (i < word.size() && (word[i] == '+' || word[i] == '-'))
            ++i;
        const size_t exponent = digits;
        skipDigits();
        if (digits == exponent)
            digits = 0;
    }
    if (digits == 0 || i != word.size())
        throw ScriptError("not a decimal number: " + Shown(word));
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(word.data() + start, word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(value))
        throw ScriptError("number out of range: " + Shown(word));
    return word[0] == '-' ? -value : value;
}

// %.15g, with the same words for the values printf spells differently on
// different systems.
std::string FormatOpacity(double value) {
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

int32 EntryIndexOf(const IOpalAlphaData& alphaData, int32 panelID) {
    for (int32 i = 0; i < alphaData.CountEntries(); ++i)
        if (alphaData.GetEntryAt(i).panelID == panelID)
            return i;
    return -1;
}

void PrintWorkspaceFile(ScriptContext& c) {
    const std::string& file = c.session.Options().workspaceFile;
    if (file.empty()) {
        c.out << "workspace none\n";
        return;
    }
    ByteVector bytes;
    std::string reason;
    switch (ReadWholeFile(file, &bytes, &reason)) {
    case ReadOutcome::kMissing:
        c.out << "workspace " << file << " missing\n";
        return;
    case ReadOutcome::kFailed:
    case ReadOutcome::kNotAFile:
        c.out << "workspace " << file << " unreadable: " << reason << "\n";
        return;
    case ReadOutcome::kRead:
        break;
    }
    const auto records = DecodeWorkspace(bytes, &reason);
    if (!records) {
        c.out << "workspace " << file << " damaged: " << reason << "\n";
        return;
    }
    c.out << "workspace " << file << " records " << records->size() << "\n";
    static const char digits[] = "0123456789abcdef";
    for (const WorkspaceRecord& record : *records) {
        std::string hex;
        for (uint8 b : record.bytes) {
            hex += digits[b >> 4];
            hex += digits[b & 15];
        }
        c.out << "record " << Hex(record.implID) << " length " << record.bytes.size() << " bytes "
              << hex << "\n";
    }
}

} // namespace

void AddAlphaCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    const int32 panelID = ResolvePanel(c.session.GetHost(), args[0]);
    RunModelCommand(kOpalAddAlphaCmdBoss, "add-alpha", [&](const InterfacePtr<ICommand>& cmd) {
        SetArgument<IIntData>(cmd, kOpalPanelIDDataIID, panelID);
    });
}

void SetAlphaCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 2, 2);
    const int32 panelID = ResolvePanel(c.session.GetHost(), args[0]);
    const double value = ParseDecimal(args[1]);
    // The command is run as any caller or a stored workspace runs it: the
    // plug-in must cope with any finite value, so it gets every one. Only
    // the Opal panel's field keeps to 15-100; say so when this one does not.
    if (!(value >= kLeastOpacity && value <= kMostOpacity))
        c.err << "note: " << args[1]
              << " is outside the opacity field's 15 to 100; the plug-in gets it as it is\n";
    const int32 index =
        EntryIndexOf(*WorkspaceModel<IOpalAlphaData>(c, kOpalAlphaDataIID, "alpha data"), panelID);
    if (index < 0)
        throw ScriptError("panel " + args[0] + " has no entry; do add-alpha " + args[0] + " first");
    RunModelCommand(kOpalSetAlphaCmdBoss, "set-alpha", [&](const InterfacePtr<ICommand>& cmd) {
        // No list row shows the entry: the host is not the Opal panel.
        SetArgument<IIntData>(cmd, kOpalListRowDataIID, -1);
        SetArgument<IIntData>(cmd, kOpalEntryIndexDataIID, index);
        SetArgument<IRealNumberData>(cmd, kOpalAlphaValueDataIID, value);
    });
}

void OnOffCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    const bool16 on = ParseSwitch(args[0]);
    RunModelCommand(kOpalSetOnOffAlphaCmdBoss, "on-off", [&](const InterfacePtr<ICommand>& cmd) {
        SetArgument<IBoolData>(cmd, IID_IBOOLDATA, on);
    });
}

void IgnoreClosedCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    const bool16 ignore = ParseSwitch(args[0]);
    RunModelCommand(kOpalSetIgnoreClosedPanelsCmdBoss, "ignore-closed",
                    [&](const InterfacePtr<ICommand>& cmd) {
                        SetArgument<IBoolData>(cmd, IID_IBOOLDATA, ignore);
                    });
}

void PrintDataCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    const auto options = WorkspaceModel<IOpalOptions>(c, kOpalOptionsIID, "options");
    const auto alphaData = WorkspaceModel<IOpalAlphaData>(c, kOpalAlphaDataIID, "alpha data");
    c.out << "options on-off=" << options->GetOnOffAlpha()
          << " ignore-closed=" << options->GetIgnoreClosedPanels()
          << " reserved=" << options->GetReserved() << "\n";
    for (int32 i = 0; i < alphaData->CountEntries(); ++i) {
        const AlphaEntry entry = alphaData->GetEntryAt(i);
        c.out << "entry " << i << " panel " << entry.panelID << " alpha "
              << FormatOpacity(entry.alpha) << "\n";
    }
}

void PrintWorkspaceCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    PrintWorkspaceFile(c);
}

void SaveCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    std::string error;
    if (!c.session.Save(&error))
        throw ScriptError("cannot save the workspace: " + error);
}

void RestartCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 0, 0);
    std::string error;
    if (!c.session.Restart(&error))
        throw ScriptError("cannot restart: " + error);
}

void SimulateCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    if (args[0] != "crash-before-rename")
        ThrowUsage(c);
    // The next write of the workspace ends the process with the new bytes
    // complete in the temporary file and the old file in place.
    c.crash = c.session.GetHost().renaming.Subscribe([](const FileRenaming& e) {
        std::cout.flush();
        std::fprintf(stderr, "simulated crash before renaming %s\n", e.tempFile.c_str());
        std::fflush(nullptr);
        std::_Exit(3);
    });
}

} // namespace host
