// The slider combo (class 0x6a9): a numeric field with a pop-up slider. The
// host checks what is typed against the field's limits itself; an accepted
// value is shown as the number followed by "%" and told on
// IID_IFIELDVALUE_PROTOCOL as kFieldValueEnteredMsg (also whenever its text is
// set with notification).
//
// The field edits as a Windows edit box does, drawn and driven by the host
// itself rather than by a system edit control inside the palette: the
// palette's window is one layered surface that the host paints whole
// (translucent as the plug-in sets it), where a child control would paint
// itself opaque and apart from the pictures of the screen; so the native
// build, the scripts and the live windows share one field. While the field
// has the focus it holds what is typed, a caret and a selection; the keys
// move them (Left/Right/Home/End, with Shift extending the selection),
// Ctrl+A selects all, Ctrl+C/X/V use the clipboard, and it takes only what a
// value is written with, up to kFieldMaxChars. Getting the focus selects all
// its text. Enter enters the text; a refused value stays, all selected, so
// it can be typed over. Leaving by Tab enters the text too (moving on means
// done); a click elsewhere drops the typing and the field shows its value
// again: that click may change the rows the value would be for.
#pragma once

#include "core/Host.h"
#include "ui/StaticText.h"

#include <string>

namespace host::ui {

// What is being typed while the field has the focus; caret and anchor (the
// selection's other end) count characters.
struct FieldEdit {
    bool active = false;
    std::string text;
    size_t caret = 0, anchor = 0;
    size_t SelectionStart() const { return caret < anchor ? caret : anchor; }
    size_t SelectionEnd() const { return caret < anchor ? anchor : caret; }
};

constexpr size_t kFieldMaxChars = 7;

class FieldTextData : public TextData {
public:
    using TextData::TextData;
    FieldEdit edit;

protected:
    void NotifyChange() override;
};

enum class FieldEntry {
    kAccepted,
    kRefused,
    kIgnored,
    kEdited, // a key changed what is typed, the caret or the selection
};

// A person types `text` into the field and presses Enter. A disabled field
// takes no keys (kIgnored); a value that is not a number within the limits
// gets the host's alert and leaves the text as it was (kRefused).
OPAL_SDK_API FieldEntry TypeIntoField(Boss* field, const std::string& text);

// The field's typing, or nullptr for another widget.
OPAL_SDK_API const FieldEdit* EditOf(const Boss* field);
// The field gets the focus (its text, all selected) or loses it (typing not
// entered is dropped).
OPAL_SDK_API void FocusField(Boss* field);
OPAL_SDK_API void BlurField(Boss* field);
// A key while the field has the focus: kIgnored when the field does not
// take it. Enter enters the text as TypeIntoField does.
OPAL_SDK_API FieldEntry FieldKey(Host& host, Boss* field, const Key& key);
// Whether what is typed differs from what the field shows.
OPAL_SDK_API bool FieldTyped(const Boss* field);

} // namespace host::ui
