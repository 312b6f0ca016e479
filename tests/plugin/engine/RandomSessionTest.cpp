// A randomized session: the host creates, regroups, hides, shows and
// re-creates palettes, the model's commands run, the session restarts and a
// user works the Opal panel; after every step and one tick the windows and
// the list must show what the model says (tests/support/RandomSession.h).
// tests/soak runs the same session for as long as one likes.
#include "RandomSession.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include <unistd.h>

TEST(RandomSessionTest, EveryStep_LeavesTheWindowsAndTheListAsTheModelSays) {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("opal-random-" + std::to_string(getpid())))
            .string();
    {
        testing_support::RandomSession session(20261208, file);
        ASSERT_EQ(session.Error(), "");
        for (int step = 0; step < 400; ++step) {
            const std::string done = session.Step();
            std::string violations;
            for (const std::string& line : session.Violations())
                violations += "\n  " + line;
            ASSERT_EQ(violations, "") << "step " << step << ": " << done;
        }
        // The walk must really have looked at windows.
        EXPECT_GT(session.WindowsChecked(), 400);
    }
    std::remove(file.c_str());
}
