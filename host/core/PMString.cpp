#include "PMString.h"

#include "Host.h"
#include "Text.h"

#include <cstdlib>
#include <cstring>

const PMString kNullString;

char PlatformChar::GetAsOneByteChar() const {
    const char b = host::Windows1252Byte(fChar);
    return (b != 0 || fChar == 0) ? b : '?';
}

PMString::PMString(const char* text, TranslationStatus status)
    : fText(host::Windows1252ToUTF16(text ? text : "")), fStatus(status) {}

PMString::PMString(const char* text, int32 length, TranslationStatus status) : fStatus(status) {
    if (!text)
        return;
    const size_t n = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
    fText = host::Windows1252ToUTF16(std::string(text, n));
}

PMString PMString::FromUTF8(const std::string& utf8, TranslationStatus status) {
    PMString s;
    s.fText = host::UTF8ToUTF16(utf8);
    s.fStatus = status;
    return s;
}

void PMString::SetCString(const char* text, TranslationStatus status) {
    fText = host::Windows1252ToUTF16(text ? text : "");
    fStatus = status;
}

const char* PMString::GrabCString() const {
    fNarrow = host::UTF16ToWindows1252(fText);
    return fNarrow.c_str();
}

std::string PMString::GetUTF8String() const {
    return host::UTF16ToUTF8(fText);
}

void PMString::Append(const PMString& other) {
    fText += other.fText;
}

void PMString::Append(const char* text) {
    fText += host::Windows1252ToUTF16(text ? text : "");
}

void PMString::AppendNumber(int32 number) {
    const std::string digits = std::to_string(number);
    fText.append(digits.begin(), digits.end());
}

double PMString::GetAsDouble(int32* error, int32* pos) const {
    // Only the C locale's digits: the text comes from the host's own fields.
    std::string narrow;
    for (char16_t c : fText)
        narrow += (c < 0x80) ? static_cast<char>(c) : '\x7f';
    const char* begin = narrow.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    const bool found = end != begin;
    if (error)
        *error = found ? 0 : 1;
    if (pos)
        *pos = static_cast<int32>(end - begin);
    return found ? value : 0.0;
}

PlatformChar PMString::GetChar(int32 index) const {
    if (index < 0 || static_cast<size_t>(index) >= fText.size())
        return PlatformChar();
    return PlatformChar(fText[static_cast<size_t>(index)]);
}

bool PMString::operator<(const PMString& other) const {
    return fText < other.fText;
}
