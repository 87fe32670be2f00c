// Adding the command table's commands to the host's command stack, and removing them.
#pragma once

#include "host/winsys.h"

// Adds every row in table order; the outcome of each addition is not inspected, as the
// host's command stack is always present while modules are initialised.
void RegisterCommands(winsys::Hinstance moduleInstance);
// Removes every row by group and global name.
void RemoveCommands();
