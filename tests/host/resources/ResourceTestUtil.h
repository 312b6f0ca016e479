// Helpers of the resource tests: the compiled archive, and a little-endian
// appender to write expected records out by hand.
#pragma once

#include "resources/Resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace testing_support {

using host::Bytes;

inline Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline const host::ResourceSet& CompiledResources() {
    static const host::ResourceSet set = [] {
        std::string error;
        auto parsed = host::ResourceSet::FromArchive(ReadFile(OPAL_RESOURCE_ARCHIVE), &error);
        if (!parsed) {
            ADD_FAILURE() << OPAL_RESOURCE_ARCHIVE << ": " << error;
            return host::ResourceSet();
        }
        return *parsed;
    }();
    return set;
}

inline Bytes Resource(uint32 type, uint32 id) {
    const Bytes* bytes = CompiledResources().Find(type, id);
    if (!bytes) {
        ADD_FAILURE() << "no resource " << type << "/" << id;
        return {};
    }
    return *bytes;
}

class Le {
public:
    Le& u8(uint32 v) { return put(v, 1); }
    Le& u16(uint32 v) { return put(v, 2); }
    Le& u32(uint32 v) { return put(v, 4); }
    Le& f64(double d) {
        uint64_t bits;
        std::memcpy(&bits, &d, 8);
        return put(bits, 8);
    }
    Le& raw(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    // A resource string: u32 1, u16 length, the bytes.
    Le& str(const std::string& s) { return u32(1).u16(static_cast<uint32>(s.size())).raw(s); }
    Le& pad4() {
        while (b.size() % 4)
            b.push_back(0);
        return *this;
    }
    Bytes b;

private:
    Le& put(uint64_t v, int n) {
        for (int i = 0; i < n; ++i)
            b.push_back(static_cast<uint8>(v >> (8 * i)));
        return *this;
    }
};

// Where two byte strings first differ, for readable failures.
inline std::string FirstDifference(const Bytes& actual, const Bytes& expected) {
    std::size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i])
        ++i;
    if (i == actual.size() && i == expected.size())
        return "equal";
    return "first difference at byte " + std::to_string(i) + " (sizes " +
           std::to_string(actual.size()) + " and " + std::to_string(expected.size()) + ")";
}

#define EXPECT_BYTES(actual, expected)                                                             \
    EXPECT_TRUE((actual) == (expected)) << testing_support::FirstDifference((actual), (expected))

} // namespace testing_support
