// Commands run at once or queued by priority, as the host runs them when
// idle, with the record and the trace of what ran for those who read them.
#include "Host.h"

#include <algorithm>
#include <cstdio>

namespace host {

namespace {

std::string NameOf(ICommand* command) {
    PMString* name = command->CreateName();
    std::string text = name ? name->GetUTF8String() : std::string();
    delete name;
    return text;
}

} // namespace

ErrorCode Host::Execute(ICommand* command, int32 priority) {
    if (!command)
        return kFailure;
    command->SetUpTarget();
    // A command's name is made only for someone who reads it.
    const bool named = Tracing() || Reporting() || fCommandLogLimit != 0;
    const std::string name = named ? NameOf(command) : std::string();
    const bool runnable = command->GetCommandState() == ICommand::kNotDone;
    if (Tracing())
        Trace("run \"" + name + "\"");
    if (Reporting())
        Report({HostRequest::kRunCommand, name, priority, 0, command});
    command->Do();
    command->DoNotify();
    if (runnable)
        command->SetCommandState(ICommand::kDone);
    if (fCommandLogLimit != 0) {
        if (fCommandLog.size() >= fCommandLogLimit)
            fCommandLog.pop_front();
        const Boss* boss = fModel.BossOf(command);
        fCommandLog.push_back({boss ? boss->Class() : kInvalidClass, name, command->GetTarget(),
                               command->GetUndoability(), priority, runnable});
    }
    return runnable ? kSuccess : kFailure;
}

void Host::KeepCommandLog(size_t limit) {
    fCommandLogLimit = limit;
    while (fCommandLog.size() > limit)
        fCommandLog.pop_front();
}

Host::Run& Host::RunFor(int32 priority) {
    // Few priorities are in use at a time: the runs stay few, ascending.
    auto it = std::lower_bound(fQueue.begin(), fQueue.end(), priority,
                               [](const Run& run, int32 p) { return run.priority < p; });
    if (it == fQueue.end() || it->priority != priority) {
        // Runs left empty by priorities no longer in use go first.
        if (fQueue.size() >= 16) {
            fQueue.erase(std::remove_if(fQueue.begin(), fQueue.end(),
                                        [](const Run& run) { return run.commands.empty(); }),
                         fQueue.end());
            it = std::lower_bound(fQueue.begin(), fQueue.end(), priority,
                                  [](const Run& run, int32 p) { return run.priority < p; });
        }
        it = fQueue.insert(it, Run{priority, 0, {}});
    }
    return *it;
}

ICommand* Host::TakeNext(int32* priority) {
    for (auto run = fQueue.rbegin(); run != fQueue.rend(); ++run) {
        if (run->next == run->commands.size())
            continue;
        ICommand* command = run->commands[run->next++];
        if (run->next == run->commands.size()) {
            run->commands.clear();
            run->next = 0;
        } else if (run->next >= 64 && run->next * 2 >= run->commands.size()) {
            // A run that never empties is moved up now and then, so that it
            // keeps only what still waits.
            run->commands.erase(run->commands.begin(),
                                run->commands.begin() + static_cast<ptrdiff_t>(run->next));
            run->next = 0;
        }
        --fQueued;
        *priority = run->priority;
        return command;
    }
    return nullptr;
}

void Host::Schedule(ICommand* command, int32 priority) {
    command->AddRef();
    RunFor(priority).commands.push_back(command);
    ++fQueued;
    if (!Tracing() && !Reporting())
        return;
    const std::string name = NameOf(command);
    if (Tracing())
        Trace("scheduled \"" + name + "\" priority " + std::to_string(priority));
    if (Reporting())
        Report({HostRequest::kScheduleCommand, name, priority, 0, command});
}

void Host::DrainCommands() {
    // A command may schedule more; a runaway chain is cut off rather than hang the host.
    constexpr size_t kLimit = 1000000;
    size_t ran = 0;
    int32 priority = 0;
    while (ICommand* command = TakeNext(&priority)) {
        if (++ran > kLimit) {
            std::fprintf(stderr, "warning: command queue still busy after %zu commands; dropped\n",
                         kLimit);
            command->Release();
            ClearQueue();
            return;
        }
        Execute(command, priority);
        command->Release();
    }
}

void Host::ClearQueue() {
    std::vector<Run> queue;
    queue.swap(fQueue);
    fQueued = 0;
    for (Run& run : queue)
        for (size_t i = run.next; i < run.commands.size(); ++i)
            run.commands[i]->Release();
}

} // namespace host
