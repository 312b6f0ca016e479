// The slider combo (class 0x6a9): a numeric field with a pop-up slider. The
// host checks what is typed against the field's limits itself; an accepted
// value is shown as the number followed by "%" and told on
// IID_IFIELDVALUE_PROTOCOL as kFieldValueEnteredMsg (also whenever its text is
// set with notification).
#pragma once

#include "ui/StaticText.h"

#include <string>

namespace host::ui {

class FieldTextData : public TextData {
public:
    using TextData::TextData;

protected:
    void NotifyChange() override;
};

enum class FieldEntry { kAccepted, kRefused, kIgnored };

// A person types `text` into the field and presses Enter. A disabled field
// takes no keys (kIgnored); a value that is not a number within the limits
// gets the host's alert and leaves the text as it was (kRefused).
OPAL_SDK_API FieldEntry TypeIntoField(Boss* field, const std::string& text);

} // namespace host::ui
