// The KORDANE PDM client's six functions, as exported by the PDM client module that runs in
// the host's process. Every document passed is the host's current document.
#pragma once

#include "host/vx_docman.h"
#include "host/vx_export.h"
#include "host/vx_string.h"

// The catalogue text for a key; an unknown key answers an empty text.
VX_PDM_API VxString orbdGetText(const VxString& key);
// The document's environment value; an unset value answers an empty text.
VX_PDM_API VxString orbdGetEnv(VxApDocument* document, const VxString& name);
// Sets the document's environment value; answers 0.
VX_PDM_API int orbdSetEnv(VxApDocument* document, const VxString& name, const VxString& value);
// Evaluates a PDM expression. A result beginning with "!" is an error; yes/no expressions
// answer "1" for yes.
VX_PDM_API VxString orbdPrep(const VxString& expression);
// As orbdPrep, but the evaluation may show a modal dialog of the PDM client.
VX_PDM_API VxString orbdPrepWithModalDialog(const VxString& expression);
// Carries out a PDM command; 0 means accepted.
VX_PDM_API int orbdCall(const VxString& command, const VxString& argument, const VxString& extra);
