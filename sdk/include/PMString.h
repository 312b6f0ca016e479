// The host's string: UTF-16 text plus a translation status. A string that
// holds a key ("0xc9200k…Key") shows the text of the plug-in's string table
// once translated.
#pragma once

#include "SDKTypes.h"

#include <string>

// One character of a PMString.
class OPAL_SDK_API PlatformChar {
public:
    PlatformChar() = default;
    explicit PlatformChar(char16_t c) : fChar(c) {}
    char16_t GetValue() const { return fChar; }
    // The character as one byte (Windows-1252); '?' when it has none.
    char GetAsOneByteChar() const;
    bool operator==(char c) const { return fChar == static_cast<unsigned char>(c); }

private:
    char16_t fChar = 0;
};

class OPAL_SDK_API PMString {
public:
    enum TranslationStatus : int16 {
        kTranslateDuringCall = 0, // translated through the string tables when shown
        kHasBeenTranslated = 1,
        kNoTranslate = 2, // never translated: literals such as command names
    };

    PMString() = default;
    PMString(const char* text, TranslationStatus status = kTranslateDuringCall);
    // `length` -1 takes the text up to its terminator.
    PMString(const char* text, int32 length, TranslationStatus status);
    static PMString FromUTF8(const std::string& utf8, TranslationStatus status = kNoTranslate);

    void SetCString(const char* text, TranslationStatus status = kTranslateDuringCall);
    // The text as Windows-1252 bytes; valid until the string changes.
    const char* GrabCString() const;
    std::string GetUTF8String() const;
    const std::u16string& GetUTF16() const { return fText; }

    void Append(const PMString& other);
    void Append(const char* text);
    // One character as it is, whatever its code page.
    void Append(PlatformChar c) { fText.push_back(c.GetValue()); }
    void AppendNumber(int32 number);
    // The leading decimal number of the text ("60%" gives 60); 0 when there is
    // none. `error` gets 0 on success and 1 when no number was found; `pos` the
    // index after the number.
    double GetAsDouble(int32* error = nullptr, int32* pos = nullptr) const;

    // Replaces a key by its text in the current locale; leaves other text as is.
    void Translate();
    TranslationStatus GetTranslationStatus() const { return fStatus; }
    void SetTranslationStatus(TranslationStatus status) { fStatus = status; }

    int32 WCharLength() const { return static_cast<int32>(fText.size()); }
    int32 CharCount() const { return WCharLength(); }
    bool IsEmpty() const { return fText.empty(); }
    PlatformChar GetChar(int32 index) const;
    void Clear() { fText.clear(); }

    bool operator==(const PMString& other) const { return fText == other.fText; }
    bool operator!=(const PMString& other) const { return fText != other.fText; }
    bool operator<(const PMString& other) const;
    bool operator>(const PMString& other) const { return other < *this; }

private:
    std::u16string fText;
    TranslationStatus fStatus = kTranslateDuringCall;
    mutable std::string fNarrow;
};

OPAL_SDK_API extern const PMString kNullString;
