#include "resources/Checksum.h"

#include <array>

namespace host {

uint32 Crc32(const uint8* data, size_t size) {
    static const std::array<uint32, 256> table = [] {
        std::array<uint32, 256> t{};
        for (uint32 n = 0; n < 256; ++n) {
            uint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xedb88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32 crc = 0xffffffffu;
    for (size_t i = 0; i < size; ++i)
        crc = table[(crc ^ data[i]) & 0xff] ^ (crc >> 8);
    return crc ^ 0xffffffffu;
}

} // namespace host
