#include "script/ScriptRunner.h"

namespace host {

void AddModelCommands(ScriptRunner& /*runner*/) {}

} // namespace host
