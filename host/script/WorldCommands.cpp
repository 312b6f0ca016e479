#include "script/ScriptRunner.h"

namespace host {

void AddWorldCommands(ScriptRunner& /*runner*/) {}

} // namespace host
