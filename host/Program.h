// What opalhost asks of its system, the same on every platform; unix/Program.cpp
// and windows/Program.cpp, one of which the build picks, provide it. Text is
// UTF-8 throughout.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace program {

// Standard output and error write the same bytes on every system.
void PrepareStandardStreams();

// The folder opalhost was started from.
std::string ExecutableDirectory(const char* argv0);

// The arguments in UTF-8, as the host takes every file name.
std::vector<std::string> CommandLine(int argc, char** argv);

std::filesystem::path PathOf(const std::string& utf8);
std::string Utf8Of(const std::filesystem::path& path);

// Standard input and output are both a terminal.
bool IsTerminal();

// A new, empty folder in `base` whose name begins with `prefix`; empty when
// none can be made.
std::filesystem::path MakeFolder(const std::filesystem::path& base, const std::string& prefix);

} // namespace program
