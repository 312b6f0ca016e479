// Builds without live windows.
#include "live/Live.h"

namespace host::live {

bool Available() {
    return false;
}

int Run(Session& /*session*/, ScriptRunner& /*runner*/, std::istream* /*script*/) {
    return 2;
}

} // namespace host::live
