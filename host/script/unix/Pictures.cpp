// The screen's picture, drawn with cairo.
#include "render/Screen.h"
#include "script/Commands.h"

#include <fstream>
#include <ostream>

namespace host {

void WriteScreenPicture(ScriptContext& c, const std::string& file) {
    const Bytes picture = render::DrawScreenPng(c.session.GetHost());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(picture.data()),
              static_cast<std::streamsize>(picture.size()));
    out.close();
    if (!out)
        throw ScriptError("snapshot: cannot write " + file);
    c.out << "wrote " << file << "\n";
}

} // namespace host
