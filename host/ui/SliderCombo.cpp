#include "ui/SliderCombo.h"

#include "ui/Alerts.h"

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
