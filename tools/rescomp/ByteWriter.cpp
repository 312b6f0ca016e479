#include "ByteWriter.h"

#include <limits>
#include <stdexcept>

namespace rescomp {

namespace {

// Code points of Windows-1252 bytes 0x80..0x9f (0 where the byte is unused);
// every other byte stands for the code point of the same value.
constexpr char32_t kHighControls[32] = {
    0x20ac, 0,      0x201a, 0x0192, 0x201e, 0x2026, 0x2020, 0x2021, 0x02c6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017d, 0,      0,      0x2018, 0x2019, 0x201c, 0x201d, 0x2022,
    0x2013, 0x2014, 0x02dc, 0x2122, 0x0161, 0x203a, 0x0153, 0,      0x017e, 0x0178};

std::u32string Decode(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80    ? 0
                          : lead >= 0xf0 ? 3
                          : lead >= 0xe0 ? 2
                          : lead >= 0xc0 ? 1
                                         : -1;
        if (extra < 0 || utf8.size() - i <= static_cast<std::size_t>(extra))
            throw std::runtime_error("bad UTF-8 in \"" + utf8 + "\"");
        char32_t c = extra == 0 ? lead : lead & (0x3f >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((next & 0xc0) != 0x80)
                throw std::runtime_error("bad UTF-8 in \"" + utf8 + "\"");
            c = (c << 6) | (next & 0x3f);
        }
        out.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

} // namespace

std::string ToWindows1252(const std::string& utf8) {
    std::string out;
    for (char32_t c : Decode(utf8)) {
        if (c < 0x80 || (c >= 0xa0 && c <= 0xff)) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        int byte = -1;
        for (int k = 0; k < 32; ++k)
            if (kHighControls[k] == c && c != 0)
                byte = 0x80 + k;
        if (byte < 0)
            throw std::runtime_error("character outside Windows-1252 in \"" + utf8 + "\"");
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

std::u16string ToUtf16(const std::string& utf8) {
    std::u16string out;
    for (char32_t c : Decode(utf8)) {
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xd800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xdc00 + (c & 0x3ff)));
        }
    }
    return out;
}

ByteWriter& ByteWriter::String(const std::string& utf8) {
    const std::string text = ToWindows1252(utf8);
    if (text.size() > std::numeric_limits<uint16>::max())
        throw std::runtime_error("string too long for a resource: \"" + utf8.substr(0, 40) + "\"");
    U32(1);
    U16(static_cast<uint16>(text.size()));
    return Raw(text);
}

} // namespace rescomp
