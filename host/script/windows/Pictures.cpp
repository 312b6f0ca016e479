// The Windows build draws no pictures of the screen: live windows are its.
#include "script/Commands.h"

#include <ostream>

namespace host {

void WriteScreenPicture(ScriptContext& c, const std::string&) {
    c.out << "snapshot: pictures are drawn by the native build\n";
}

} // namespace host
