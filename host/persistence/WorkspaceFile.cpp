#include "persistence/WorkspaceFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <zlib.h>

namespace host {
namespace {

// CRC-32 of the first `size` bytes (all by default), as zlib computes it.
uint32 Crc32(const ByteVector& bytes, size_t size = SIZE_MAX) {
    size = std::min(size, bytes.size());
    return static_cast<uint32>(crc32(0, bytes.data(), static_cast<uInt>(size)));
}

constexpr char kMagic[8] = {'O', 'P', 'A', 'L', 'W', 'K', 'S', 'P'};
constexpr size_t kHeaderSize = 20;
constexpr size_t kChecksumSize = 4;

void Put32(ByteVector& out, uint32 value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8>(value >> (8 * i)));
}

uint32 Get32(const ByteVector& in, size_t at) {
    uint32 value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= static_cast<uint32>(in[at + i]) << (8 * i);
    return value;
}

} // namespace

ByteVector EncodeWorkspace(const std::vector<WorkspaceRecord>& records) {
    ByteVector out(kMagic, kMagic + sizeof kMagic);
    Put32(out, kWorkspaceFormatVersion);
    Put32(out, 0); // the length, known at the end
    Put32(out, static_cast<uint32>(records.size()));
    for (const WorkspaceRecord& record : records) {
        Put32(out, record.implID);
        Put32(out, static_cast<uint32>(record.bytes.size()));
        out.insert(out.end(), record.bytes.begin(), record.bytes.end());
    }
    const auto length = static_cast<uint32>(out.size() + kChecksumSize);
    for (size_t i = 0; i < 4; ++i)
        out[12 + i] = static_cast<uint8>(length >> (8 * i));
    Put32(out, Crc32(out));
    return out;
}

std::optional<std::vector<WorkspaceRecord>> DecodeWorkspace(const ByteVector& bytes,
                                                            std::string* reason) {
    auto fail = [reason](std::string why) {
        *reason = std::move(why);
        return std::nullopt;
    };
    const size_t head = std::min(bytes.size(), sizeof kMagic);
    if (head > 0 && std::memcmp(bytes.data(), kMagic, head) != 0)
        return fail("bad header");
    if (bytes.size() < kHeaderSize + kChecksumSize)
        return fail("cut short");
    const uint32 version = Get32(bytes, 8);
    if (version != kWorkspaceFormatVersion)
        return fail("bad header (format version " + std::to_string(version) + ")");
    const uint32 length = Get32(bytes, 12);
    if (length < kHeaderSize + kChecksumSize)
        return fail("bad header (length " + std::to_string(length) + ")");
    if (bytes.size() < length)
        return fail("cut short");
    if (bytes.size() > length)
        return fail(std::to_string(bytes.size() - length) + " bytes after its end");
    const size_t end = length - kChecksumSize;
    if (Crc32(bytes, end) != Get32(bytes, end))
        return fail("bad checksum");

    // The checksum holds, so a layout that does not add up is a writer's
    // fault or a forgery; it is refused all the same.
    const uint32 count = Get32(bytes, 16);
    std::vector<WorkspaceRecord> records;
    size_t at = kHeaderSize;
    for (uint32 i = 0; i < count; ++i) {
        if (end - at < 8)
            return fail("bad record layout");
        WorkspaceRecord record;
        record.implID = Get32(bytes, at);
        const uint32 size = Get32(bytes, at + 4);
        at += 8;
        if (end - at < size)
            return fail("bad record layout");
        record.bytes.assign(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                            bytes.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
        records.push_back(std::move(record));
    }
    if (at != end)
        return fail("bad record layout");
    return records;
}

} // namespace host
