// What the fuzz targets share: the built plug-in, kept loaded for the whole
// run; a scratch folder of the process's own; the host put back between
// inputs, so that an input that fails does so again on its own; and checks
// that stop the run with a reason libFuzzer keeps beside the input.
#pragma once

#include "HostTestSupport.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace fuzzing {

// The plug-in module. libFuzzer keeps pointers into the coverage counters of
// every instrumented module it saw, so the module must stay mapped: the
// host's own loads and unloads then only count references.
const std::string& PluginFile();

// This process's scratch folder, emptied; it goes when the process ends.
const std::filesystem::path& EmptyScratchFolder();

// Stops the run: the reason goes where sanitizer reports go (libFuzzer keeps
// that output when it silences the target's own), then the process aborts
// and libFuzzer saves the input.
[[noreturn]] void Fail(const std::string& reason);

// Fails unless every object has the references it had in `before`.
void CheckReferences(const testing_support::RefSnapshot& before);

std::vector<uint8_t> ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const uint8_t* data, size_t size);

} // namespace fuzzing
