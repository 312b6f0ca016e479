#include "ui/SliderCombo.h"

#include "ui/Alerts.h"
#include "ui/Clipboard.h"

#include <algorithm>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace host::ui {
namespace {

// The field's own limits when its layout gives none.
constexpr double kDefaultLower = 15.0;
constexpr double kDefaultUpper = 100.0;

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// The number a person typed: digits with an optional sign and fraction, an
// optional "%" after them, blanks around; nothing else.
bool ParseTyped(std::string text, double* value) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.back()))
        text.pop_back();
    size_t start = 0;
    while (start < text.size() && blank(text[start]))
        ++start;
    text = text.substr(start);
    if (!text.empty() && text.back() == '%')
        text.pop_back();
    if (text.empty() || text.find_first_not_of("+-.0123456789") != std::string::npos)
        return false;
    errno = 0;
    char* end = nullptr;
    *value = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && errno == 0 && std::isfinite(*value);
}

} // namespace

CREATE_PMINTERFACE(FieldTextData, kFieldTextDataImpl);

void FieldTextData::NotifyChange() {
    Notify(static_cast<Boss*>(fBoss), kFieldValueEnteredMsg, IID_IFIELDVALUE_PROTOCOL);
}

namespace {

FieldTextData* FieldDataOf(const Boss* field) {
    return OwnPart<FieldTextData>(field, IID_ITEXTCONTROLDATA, kFieldTextDataImpl);
}

bool Editable(const Boss* field) {
    const IControlView* view = ViewOf(field);
    return view && view->IsEnabled() && view->IsVisible();
}

void Redraw(const Boss* field) {
    if (IControlView* view = ViewOf(field))
        view->Invalidate();
}

void SelectAll(FieldEdit& edit) {
    edit.anchor = 0;
    edit.caret = edit.text.size();
}

// What a value is written with; anything else typed or pasted is dropped.
std::string Acceptable(const std::string& text) {
    std::string kept;
    for (char c : text)
        if (std::string_view("0123456789.+-% ").find(c) != std::string_view::npos)
            kept += c;
    return kept;
}

// Puts `text` in place of the selection, as much of it as the field has room for.
bool Replace(FieldEdit& edit, const std::string& typed) {
    const size_t start = edit.SelectionStart(), end = edit.SelectionEnd();
    const size_t room = kFieldMaxChars - std::min(kFieldMaxChars, edit.text.size() - (end - start));
    const std::string text = typed.substr(0, room);
    if (text.empty() && start == end)
        return false;
    edit.text = edit.text.substr(0, start) + text + edit.text.substr(end);
    edit.caret = edit.anchor = start + text.size();
    return true;
}

void MoveCaret(FieldEdit& edit, size_t to, bool extend) {
    edit.caret = std::min(to, edit.text.size());
    if (!extend)
        edit.anchor = edit.caret;
}

std::string Selected(const FieldEdit& edit) {
    return edit.text.substr(edit.SelectionStart(), edit.SelectionEnd() - edit.SelectionStart());
}

FieldEntry EnterTyped(Boss* field, FieldTextData& data) {
    const std::string typed = data.edit.text;
    field->AddRef();
    const FieldEntry entry = TypeIntoField(field, typed);
    // Accepted, the field shows the value as it writes it; refused, the
    // typing stays to be corrected. Either way all of it is selected.
    data.edit.text = entry == FieldEntry::kAccepted ? TextOf(field) : typed;
    data.edit.active = true;
    SelectAll(data.edit);
    Redraw(field);
    field->Release();
    return entry;
}

} // namespace

const FieldEdit* EditOf(const Boss* field) {
    const FieldTextData* data = FieldDataOf(field);
    return data ? &data->edit : nullptr;
}

void FocusField(Boss* field) {
    FieldTextData* data = FieldDataOf(field);
    if (!data)
        return;
    data->edit.active = true;
    data->edit.text = TextOf(field);
    SelectAll(data->edit);
    Redraw(field);
}

void BlurField(Boss* field) {
    FieldTextData* data = FieldDataOf(field);
    if (!data || !data->edit.active)
        return;
    data->edit = {};
    Redraw(field);
}

bool FieldTyped(const Boss* field) {
    const FieldTextData* data = FieldDataOf(field);
    return data && data->edit.active && data->edit.text != TextOf(field);
}

FieldEntry FieldKey(Host& host, Boss* field, const Key& key) {
    FieldTextData* data = FieldDataOf(field);
    if (!data || !Editable(field))
        return FieldEntry::kIgnored;
    FieldEdit& edit = data->edit;
    if (!edit.active)
        FocusField(field);
    using Code = Key::Code;
    const bool extend = key.shift;
    switch (key.code) {
    case Code::kEnter:
        return EnterTyped(field, *data);
    case Code::kEscape:
        // Drops the typing: the field shows its value, all selected.
        edit.text = TextOf(field);
        SelectAll(edit);
        break;
    case Code::kLeft:
        if (!extend && edit.caret != edit.anchor)
            MoveCaret(edit, edit.SelectionStart(), false);
        else
            MoveCaret(edit, edit.caret == 0 ? 0 : edit.caret - 1, extend);
        break;
    case Code::kRight:
        if (!extend && edit.caret != edit.anchor)
            MoveCaret(edit, edit.SelectionEnd(), false);
        else
            MoveCaret(edit, edit.caret + 1, extend);
        break;
    case Code::kHome:
        MoveCaret(edit, 0, extend);
        break;
    case Code::kEnd:
        MoveCaret(edit, edit.text.size(), extend);
        break;
    case Code::kBackspace:
        if (edit.caret == edit.anchor && edit.caret > 0)
            edit.anchor = edit.caret - 1;
        Replace(edit, "");
        break;
    case Code::kDelete:
        if (edit.caret == edit.anchor && edit.caret < edit.text.size())
            edit.anchor = edit.caret + 1;
        Replace(edit, "");
        break;
    case Code::kSpace:
        Replace(edit, " ");
        break;
    case Code::kText:
        if (!key.ctrl) {
            // Only what a value is written with; anything else leaves the text be.
            const std::string kept = Acceptable(key.text);
            if (kept.empty() || !Replace(edit, kept))
                return FieldEntry::kIgnored;
        } else if (key.text == "a" || key.text == "A") {
            SelectAll(edit);
        } else if (key.text == "c" || key.text == "C" || key.text == "x" || key.text == "X") {
            if (edit.caret != edit.anchor) {
                field->AddRef();
                host.Get<Clipboard>().SetText(Selected(edit));
                if (key.text == "x" || key.text == "X")
                    Replace(edit, "");
                field->Release();
            }
        } else if (key.text == "v" || key.text == "V") {
            const std::string kept = Acceptable(host.Get<Clipboard>().Text());
            if (kept.empty() || !Replace(edit, kept))
                return FieldEntry::kIgnored;
        } else {
            return FieldEntry::kIgnored;
        }
        break;
    default:
        return FieldEntry::kIgnored;
    }
    Redraw(field);
    return FieldEntry::kEdited;
}

FieldEntry TypeIntoField(Boss* field, const std::string& text) {
    IControlView* view = ViewOf(field);
    auto* data = field ? field->PeekAs<ITextControlData>(IID_ITEXTCONTROLDATA) : nullptr;
    if (!view || !data || !view->IsEnabled() || !view->IsVisible())
        return FieldEntry::kIgnored;
    const WidgetRecord* record = RecordOf(field);
    const double lower = record && record->limits ? record->limits->lower : kDefaultLower;
    const double upper = record && record->limits ? record->limits->upper : kDefaultUpper;
    double value = 0;
    if (!ParseTyped(text, &value) || value < lower || value > upper) {
        field->GetHost().Get<Alerts>().ShowHostAlert("Enter a number between " + Number(lower) +
                                                     " and " + Number(upper) + ".");
        return FieldEntry::kRefused;
    }
    field->AddRef();
    data->SetString(PMString::FromUTF8(Number(value) + "%"), kTrue, kTrue, kTrue);
    field->Release();
    return FieldEntry::kAccepted;
}

} // namespace host::ui
