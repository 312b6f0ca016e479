// Pictures of the screen:
//   snapshot FILE.png
// Drawn by the native build; the Windows build says so and goes on.
#include "script/ScriptRunner.h"

#include <ostream>

#if !defined(_WIN32)
#include "render/Screen.h"

#include <fstream>
#endif

namespace host {

void AddPictureCommands(ScriptRunner& runner) {
    runner.Add("snapshot", [](ScriptContext& c, const Words& args) {
        ExpectArgs(args, 1, 1, "snapshot FILE.png");
#if defined(_WIN32)
        c.out << "snapshot: pictures are drawn by the native build\n";
#else
        (void)c;
        const Bytes png = render::DrawScreenPng();
        std::ofstream file(args[0], std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(png.data()),
                   static_cast<std::streamsize>(png.size()));
        file.close();
        if (!file)
            throw ScriptError("snapshot: cannot write " + args[0]);
#endif
    });
}

} // namespace host
