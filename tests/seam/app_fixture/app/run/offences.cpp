// Three offences: module headers that only ini-check may include, written three ways.
#include <partref/row_key.h>
#include "../../pdm/pdm_link.h"
#include "config/ini_file.h"
