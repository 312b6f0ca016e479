// opal_soak [--steps N] [--seed S] [--trace]: the randomized session of the
// tests for N steps (default 1,000,000), checking the invariant after every
// step; --trace prints every step as it is done.
// Prints the steps done, the violations (each with its step) and the
// resident memory at the start and the end; exits 1 on any violation.
#include "RandomSession.h"
#include "core/Host.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

// Resident memory in kB, from /proc/self/status; -1 where there is none.
long ResidentKB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmRSS:") == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

bool ParseCount(const char* text, unsigned long long* value) {
    char* end = nullptr;
    errno = 0;
    *value = std::strtoull(text, &end, 10);
    return text[0] >= '0' && text[0] <= '9' && *end == '\0' && errno == 0;
}

int Usage() {
    std::fprintf(stderr, "usage: opal_soak [--steps N] [--seed S] [--trace]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    unsigned long long steps = 1000000, seed = 20261208;
    bool trace = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--trace") == 0) {
            trace = true;
            continue;
        }
        unsigned long long* target = nullptr;
        if (std::strcmp(argv[i], "--steps") == 0)
            target = &steps;
        else if (std::strcmp(argv[i], "--seed") == 0)
            target = &seed;
        if (!target || i + 1 >= argc || !ParseCount(argv[++i], target))
            return Usage();
    }

    const std::string file =
        (std::filesystem::temp_directory_path() / ("opal-soak-" + std::to_string(getpid())))
            .string();
    const auto start = std::chrono::steady_clock::now();
    unsigned long long done = 0, violations = 0;
    long rssStart = 0;
    size_t objectsStart = 0;
    {
        testing_support::RandomSession session(static_cast<uint32>(seed), file);
        if (!session.Error().empty()) {
            std::fprintf(stderr, "opal_soak: %s\n", session.Error().c_str());
            return 2;
        }
        rssStart = ResidentKB();
        objectsStart = session.TheHost().Model().LiveObjects().size();
        std::printf("seed %llu, %llu steps; resident memory at start %ld kB, %zu objects alive\n",
                    seed, steps, rssStart, objectsStart);
        std::fflush(stdout);
        for (; done < steps; ++done) {
            const std::string what = session.Step();
            if (trace)
                std::printf("step %llu: %s\n", done, what.c_str());
            for (const std::string& line : session.Violations()) {
                // The first few say enough; the count says the rest.
                if (++violations <= 20)
                    std::printf("violation at step %llu (%s): %s\n", done, what.c_str(),
                                line.c_str());
            }
            if (!session.Error().empty())
                break;
        }
        std::printf("steps done %llu, violations %llu, windows checked %lld\n", done, violations,
                    static_cast<long long>(session.WindowsChecked()));
        std::printf("resident memory at end %ld kB, %zu objects alive\n", ResidentKB(),
                    session.TheHost().Model().LiveObjects().size());
    }
    std::remove(file.c_str());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("wall time %.1f s\n", seconds);
    return violations == 0 && done == steps ? 0 : 1;
}
