// Pictures of the screen: snapshot FILE.png. Drawn by the native build
// (unix/Pictures.cpp); the Windows build says so and goes on.
#include "script/Commands.h"

namespace host {

void SnapshotCommand(ScriptContext& c, const Words& args) {
    ExpectArgs(c, args, 1, 1);
    // The file is a PNG whatever its name says; a name that says otherwise
    // would mislead whoever opens it.
    const std::string& file = args[0];
    const bool png = file.size() > 4 && (file.compare(file.size() - 4, 4, ".png") == 0 ||
                                         file.compare(file.size() - 4, 4, ".PNG") == 0);
    if (!png)
        throw ScriptError("snapshot: the picture is a PNG; name it FILE.png, not " + Shown(file));
    WriteScreenPicture(c, file);
}

} // namespace host
