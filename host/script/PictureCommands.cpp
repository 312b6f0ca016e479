// Pictures of the screen: snapshot FILE.png. Drawn by the native build; the
// Windows build says so and goes on.
#include "script/Commands.h"

#include <ostream>

#if !defined(_WIN32)
#include "render/Screen.h"

#include <fstream>
#endif

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
#if defined(_WIN32)
    c.out << "snapshot: pictures are drawn by the native build\n";
#else
    const Bytes picture = render::DrawScreenPng(c.session.GetHost());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(picture.data()),
              static_cast<std::streamsize>(picture.size()));
    out.close();
    if (!out)
        throw ScriptError("snapshot: cannot write " + file);
    c.out << "wrote " << file << "\n";
#endif
}

} // namespace host
