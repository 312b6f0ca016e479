// The plug-in's resources in a native module: the archive in the ELF
// section ".opalres", found by its name.
#include "resources/Resources.h"

#include "resources/ByteReader.h"

#include <cstring>
#include <fstream>

namespace host {

namespace {

bool Fail(std::string* error, const std::string& reason) {
    if (error)
        *error = reason;
    return false;
}

constexpr const char* kResourceSectionName = ".opalres";
constexpr std::size_t kElf64HeaderSize = 64;
constexpr std::size_t kElf64SectionHeaderSize = 64;
constexpr uint32 kSectionTypeNoBits = 8; // SHT_NOBITS: occupies no file space
constexpr uint16 kSectionIndexExtended = 0xffff;

struct Section {
    uint32 name;
    uint32 type;
    uint64_t offset;
    uint64_t size;
    uint32 link;
};

// The section header at `index`, bounds-checked against the whole file.
std::optional<Section> ReadSection(const Bytes& file, uint64_t table, uint64_t index) {
    const uint64_t at = table + index * kElf64SectionHeaderSize;
    if (at < table || at > file.size() || file.size() - at < kElf64SectionHeaderSize)
        return std::nullopt;
    detail::ByteReader in(file.data() + at, kElf64SectionHeaderSize);
    Section s{};
    s.name = in.U32();
    s.type = in.U32();
    in.Take(16); // flags, address
    s.offset = in.U64();
    s.size = in.U64();
    s.link = in.U32();
    return s;
}

bool SectionInFile(const Bytes& file, const Section& s) {
    return s.type != kSectionTypeNoBits && s.offset <= file.size() &&
           s.size <= file.size() - s.offset;
}

// Where the section headers are, how many there are, and the section that
// holds their names.
struct SectionTable {
    uint64_t table;
    uint64_t count;
    Section names;
};

std::optional<SectionTable> ReadSectionTable(const Bytes& file, std::string* error) {
    if (file.size() < 4 || std::memcmp(file.data(),
                                       "\x7f"
                                       "ELF",
                                       4) != 0) {
        Fail(error, "not an ELF file");
        return std::nullopt;
    }
    if (file.size() < kElf64HeaderSize || file[4] != 2 /* 64-bit */ ||
        file[5] != 1 /* little-endian */) {
        Fail(error, "not a 64-bit little-endian ELF file");
        return std::nullopt;
    }
    detail::ByteReader header(file.data(), kElf64HeaderSize);
    header.Take(0x28);
    const uint64_t table = header.U64();
    header.Take(10); // flags, header size, program header size and count
    const uint16 entrySize = header.U16();
    uint64_t count = header.U16();
    uint32 namesIndex = header.U16();
    if (table == 0) {
        Fail(error, "no section headers");
        return std::nullopt;
    }
    if (entrySize != kElf64SectionHeaderSize) {
        Fail(error, "bad section header size");
        return std::nullopt;
    }
    // Files with many sections keep the real count and name-table index in
    // section 0.
    const auto first = ReadSection(file, table, 0);
    if (!first) {
        Fail(error, "truncated section headers");
        return std::nullopt;
    }
    if (count == 0)
        count = first->size;
    if (namesIndex == kSectionIndexExtended)
        namesIndex = first->link;
    if (count > (file.size() - table) / kElf64SectionHeaderSize) {
        Fail(error, "truncated section headers");
        return std::nullopt;
    }
    const auto names = ReadSection(file, table, namesIndex);
    if (namesIndex >= count || !names || !SectionInFile(file, *names)) {
        Fail(error, "bad section name table");
        return std::nullopt;
    }
    return SectionTable{table, count, *names};
}

// Finds the resource section in an ELF64 little-endian file by its name.
std::optional<Bytes> ElfResourceSection(const Bytes& file, std::string* error) {
    const auto sections = ReadSectionTable(file, error);
    if (!sections)
        return std::nullopt;
    const Section& names = sections->names;
    const std::size_t nameLength = std::strlen(kResourceSectionName) + 1; // with the NUL
    for (uint64_t i = 1; i < sections->count; ++i) {
        const auto section = ReadSection(file, sections->table, i);
        if (!section || section->name >= names.size || names.size - section->name < nameLength ||
            std::memcmp(file.data() + names.offset + section->name, kResourceSectionName,
                        nameLength) != 0)
            continue;
        if (!SectionInFile(file, *section)) {
            Fail(error, "resource section outside the file");
            return std::nullopt;
        }
        const auto begin = file.begin() + static_cast<std::ptrdiff_t>(section->offset);
        return Bytes(begin, begin + static_cast<std::ptrdiff_t>(section->size));
    }
    Fail(error, "no resource section");
    return std::nullopt;
}

} // namespace

std::optional<ResourceSet> ResourceSet::FromModuleFile(const std::string& path,
                                                       std::string* error) {
    std::ifstream stream(path, std::ios::binary | std::ios::ate);
    if (!stream) {
        Fail(error, "cannot open file");
        return std::nullopt;
    }
    // One read of the whole size: a module is megabytes, read at every load,
    // and a character at a time that costs more than the rest of a start.
    const std::streamoff size = stream.tellg();
    if (size < 0 || !stream.seekg(0)) {
        Fail(error, "cannot read file");
        return std::nullopt;
    }
    Bytes file(static_cast<std::size_t>(size));
    if (!stream.read(reinterpret_cast<char*>(file.data()), size)) {
        Fail(error, "cannot read file");
        return std::nullopt;
    }
    const auto section = ElfResourceSection(file, error);
    if (!section)
        return std::nullopt;
    return FromArchive(*section, error);
}

} // namespace host
