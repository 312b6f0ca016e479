// Where opalhost keeps its user's workspace and the shell's history.
#include "script/UserFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace {

#if !defined(_WIN32)
// Sets environment variables for one test and puts them back after it.
class Environment {
public:
    void Set(const char* name, const char* value) {
        if (!fSaved.count(name)) {
            const char* old = std::getenv(name);
            fSaved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~Environment() {
        for (const auto& [name, value] : fSaved)
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> fSaved;
};

TEST(UserFoldersTest, Workspace_FollowsXdgConfigHomeThenHome) {
    Environment env;
    env.Set("XDG_CONFIG_HOME", "/tmp/cfg");
    env.Set("HOME", "/home/u");
    EXPECT_EQ(host::DefaultWorkspaceFile(), "/tmp/cfg/opalhost/workspace");
    env.Set("XDG_CONFIG_HOME", "relative/cfg");
    EXPECT_EQ(host::DefaultWorkspaceFile(), "/home/u/.config/opalhost/workspace");
    env.Set("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(host::DefaultWorkspaceFile(), "/home/u/.config/opalhost/workspace");
    env.Set("HOME", nullptr);
    EXPECT_EQ(host::DefaultWorkspaceFile(), "");
}

TEST(UserFoldersTest, History_FollowsXdgStateHomeThenHome) {
    Environment env;
    env.Set("XDG_STATE_HOME", "/tmp/state");
    env.Set("HOME", "/home/u");
    EXPECT_EQ(host::HistoryFile(), "/tmp/state/opalhost/history");
    env.Set("XDG_STATE_HOME", "state");
    EXPECT_EQ(host::HistoryFile(), "/home/u/.local/state/opalhost/history");
    env.Set("XDG_STATE_HOME", nullptr);
    env.Set("HOME", nullptr);
    EXPECT_EQ(host::HistoryFile(), "");
}
#endif

} // namespace
