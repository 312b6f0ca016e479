// What the file tests make and read that only POSIX systems have: FIFOs and
// mode bits. On Windows each reports failure; the tests that need them are
// listed in tests/windows-skips.cmake.
#pragma once

#include <string>

namespace testing_support {

bool MakeFifo(const std::string& path);
bool SetMode(const std::string& path, unsigned mode);
// The permission bits (07777), or ~0u when the file cannot be read.
unsigned ModeOf(const std::string& path);

} // namespace testing_support
