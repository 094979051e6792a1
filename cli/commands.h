#pragma once

#include <memory>
#include <vector>

#include "command.h"

namespace kerbwise::cli {

// Every command of kerbwise-cli, in the order the help text lists them.
std::vector<std::unique_ptr<Command>> RegisterCommands();

}  // namespace kerbwise::cli
