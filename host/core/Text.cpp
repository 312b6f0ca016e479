#include "Text.h"

#include <cstdio>

namespace host {
namespace {

// Windows-1252 bytes 0x80–0x9F; 0 where the code page has no character.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUTF8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::u32string DecodeUTF8(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= text.size()) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + static_cast<size_t>(k)]) & 0x3F);
        out += c;
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

} // namespace

char Windows1252Byte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c && c != 0)
            return static_cast<char>(0x80 + i);
    return 0;
}

std::u16string Windows1252ToUTF16(const std::string& bytes) {
    std::u16string out;
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0)
            out += kHigh[b - 0x80] ? kHigh[b - 0x80] : u'\uFFFD';
        else
            out += static_cast<char16_t>(b);
    }
    return out;
}

std::string UTF16ToWindows1252(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        const char b = Windows1252Byte(c);
        out += (b != 0 || c == 0) ? b : '?';
    }
    return out;
}

std::string UTF16ToUTF8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        AppendUTF8(out, c);
    }
    return out;
}

std::u16string UTF8ToUTF16(const std::string& text) {
    std::u16string out;
    for (char32_t c : DecodeUTF8(text)) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::string WideToUTF8(const std::wstring& text) {
    if constexpr (sizeof(wchar_t) == 2)
        return UTF16ToUTF8(std::u16string(text.begin(), text.end()));
    std::string out;
    for (wchar_t c : text)
        AppendUTF8(out, static_cast<char32_t>(c));
    return out;
}

std::wstring UTF8ToWide(const std::string& text) {
    if constexpr (sizeof(wchar_t) == 2) {
        const std::u16string u = UTF8ToUTF16(text);
        return std::wstring(u.begin(), u.end());
    }
    const std::u32string u = DecodeUTF8(text);
    return std::wstring(u.begin(), u.end());
}

std::string Hex(uint32 value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", value);
    return text;
}

} // namespace host
