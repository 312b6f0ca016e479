#include "FuzzHost.h"

#include "core/Host.h"
#include "ui/Alerts.h"
#include "world/World.h"

#include <sanitizer/common_interface_defs.h>

#include <cstdlib>
#include <dlfcn.h>
#include <fstream>
#include <iterator>
#include <system_error>

namespace fuzzing {

const std::string& PluginFile() {
    static const std::string file = [] {
        if (!dlopen(OPAL_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL))
            Fail(std::string("cannot load ") + OPAL_PLUGIN_PATH + ": " + dlerror());
        return std::string(OPAL_PLUGIN_PATH);
    }();
    return file;
}

const std::filesystem::path& EmptyScratchFolder() {
    struct Scratch {
        Scratch() {
            std::error_code ignored;
            std::string name =
                (std::filesystem::temp_directory_path(ignored) / "opal-fuzz-XXXXXX").string();
            if (!mkdtemp(name.data()))
                Fail("cannot make a scratch folder " + name);
            folder = name;
        }
        ~Scratch() {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        }
        std::filesystem::path folder;
    };
    static const Scratch scratch;
    for (const auto& entry : std::filesystem::directory_iterator(scratch.folder))
        std::filesystem::remove_all(entry.path());
    return scratch.folder;
}

void Fail(const std::string& reason) {
    __sanitizer_report_error_summary(("opal fuzz check failed: " + reason).c_str());
    std::abort();
}

void CheckReferences(const testing_support::RefSnapshot& before) {
    const auto same =
        testing_support::SameReferences(before, testing_support::RefSnapshot::Take(*before.host));
    if (!same)
        Fail(std::string("objects outlived the session:\n") + same.message());
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out.flush())
        Fail("cannot write " + path.string());
}

} // namespace fuzzing
