// Four offences: a module header not on the list, a module folder the list does not name,
// and the two files that load the module.
#include "app/common/module_loader.h"
#include "bom/export_bom.h"
#include "module/commands.h"
#include "../common/session.h"
