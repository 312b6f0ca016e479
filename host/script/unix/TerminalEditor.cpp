// The terminal editor of the native build: libedit's own interface, which
// lets Ctrl-C and Tab be bound to the shell's own functions.
#include "script/LineEditor.h"

#include <histedit.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace host {
namespace {

class EditLineEditor : public LineEditor {
public:
    EditLineEditor(const std::string& prompt, const std::string& historyFile, Completer complete)
        : fPrompt(prompt), fHistoryFile(historyFile), fComplete(std::move(complete)) {
        fHistory = history_init();
        history(fHistory, &fEvent, H_SETSIZE, 1000);
        history(fHistory, &fEvent, H_SETUNIQUE, 1);
        if (!fHistoryFile.empty())
            history(fHistory, &fEvent, H_LOAD, fHistoryFile.c_str());
        fEdit = el_init("opalhost", stdin, stdout, stderr);
        el_set(fEdit, EL_CLIENTDATA, this);
        el_set(fEdit, EL_EDITOR, "emacs");
        el_set(fEdit, EL_PROMPT, &EditLineEditor::Prompt);
        el_set(fEdit, EL_HIST, history, fHistory);
        // Ctrl-C reaches the editor as a key, which clears the line instead
        // of ending the session.
        el_set(fEdit, EL_SETTY, "-d", "-isig", nullptr);
        // Wide names: the narrow call copies them and never frees the copies.
        el_wset(fEdit, EL_ADDFN, L"opal-complete", L"complete a word",
                &EditLineEditor::CompleteKey);
        el_wset(fEdit, EL_ADDFN, L"opal-interrupt", L"clear the line",
                &EditLineEditor::InterruptKey);
        el_set(fEdit, EL_BIND, "^I", "opal-complete", nullptr);
        el_set(fEdit, EL_BIND, "^C", "opal-interrupt", nullptr);
    }

    ~EditLineEditor() override {
        el_end(fEdit);
        history_end(fHistory);
    }
    EditLineEditor(const EditLineEditor&) = delete;
    EditLineEditor& operator=(const EditLineEditor&) = delete;

    std::optional<std::string> ReadLine() override {
        int count = 0;
        const char* text = el_gets(fEdit, &count);
        if (!text || count <= 0)
            return std::nullopt;
        std::string line(text, static_cast<size_t>(count));
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.find_first_not_of(" \t") != std::string::npos)
            Remember(line);
        return line;
    }

private:
    void Remember(const std::string& line) {
        history(fHistory, &fEvent, H_ENTER, line.c_str());
        if (fHistoryFile.empty())
            return;
        // Saved at once: a session that ends badly keeps what was typed.
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(fHistoryFile).parent_path(),
                                            ignored);
        history(fHistory, &fEvent, H_SAVE, fHistoryFile.c_str());
    }

    static EditLineEditor* Self(EditLine* edit) {
        void* self = nullptr;
        el_get(edit, EL_CLIENTDATA, &self);
        return static_cast<EditLineEditor*>(self);
    }

    static char* Prompt(EditLine* edit) { return Self(edit)->fPrompt.data(); }

    static unsigned char CompleteKey(EditLine* edit, int) {
        const LineInfo* line = el_line(edit);
        const std::string before(line->buffer, line->cursor);
        const Completion completion = Self(edit)->fComplete(before);
        const auto& candidates = completion.candidates;
        if (candidates.empty())
            return CC_REFRESH_BEEP;
        std::string common = candidates.front();
        for (const std::string& candidate : candidates) {
            size_t n = 0;
            while (n < common.size() && n < candidate.size() && common[n] == candidate[n])
                ++n;
            common.resize(n);
        }
        if (candidates.size() == 1)
            common += ' ';
        const std::string typed = before.substr(before.size() - completion.partial);
        if (common.size() > typed.size() || common != typed.substr(0, common.size())) {
            el_deletestr(edit, static_cast<int>(completion.partial));
            el_insertstr(edit, common.c_str());
            return CC_REFRESH;
        }
        std::fputc('\n', stdout);
        for (const std::string& candidate : candidates)
            std::fprintf(stdout, "%s  ", candidate.c_str());
        std::fputc('\n', stdout);
        return CC_REDISPLAY;
    }

    static unsigned char InterruptKey(EditLine* edit, int) {
        const LineInfo* line = el_line(edit);
        el_cursor(edit, static_cast<int>(line->lastchar - line->cursor));
        el_deletestr(edit, static_cast<int>(line->lastchar - line->buffer));
        std::fputs("^C\n", stdout);
        return CC_REDISPLAY;
    }

    std::string fPrompt;
    std::string fHistoryFile;
    Completer fComplete;
    EditLine* fEdit = nullptr;
    History* fHistory = nullptr;
    HistEvent fEvent{};
};

} // namespace

std::unique_ptr<LineEditor> OpenTerminalEditor(const std::string& prompt,
                                               const std::string& historyFile, Completer complete) {
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
        return nullptr;
    return std::make_unique<EditLineEditor>(prompt, historyFile, std::move(complete));
}

} // namespace host
