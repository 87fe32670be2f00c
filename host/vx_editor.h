// The host editor: its reactors, the command stack, the command line (input and output),
// lisp access and the main window.
#pragma once

#include <cstdint>

#include "host/vx_db.h"
#include "host/vx_export.h"
#include "host/vx_resbuf.h"
#include "host/vx_rx.h"
#include "host/vx_string.h"

// The longest answer of plain string input, terminator included. Buffers for vxedGetString
// must hold this many characters.
constexpr int kVxMaxStringAnswer = 2049;

class VX_HOST_API VxRxEventReactor : public VxRxObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    virtual void databaseConstructed(VxDbDatabase* database);
    virtual void databaseToBeDestroyed(VxDbDatabase* database);
};

// Editor events; each does nothing unless a reactor overrides it.
class VX_HOST_API VxEditorReactor : public VxRxEventReactor {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    virtual void onSaveStart(VxDbDatabase* database, const char16_t* fileName);
    virtual void xrefSubCommandStart(VxDbDatabase* hostDatabase, int subcommand,
                                     const VxDbObjectIdArray& ids);
    virtual void xrefSubCommandAborted(VxDbDatabase* hostDatabase, int subcommand,
                                       const VxDbObjectIdArray& ids);
    virtual void preXrefLockFile(VxDbDatabase* database, VxDbObjectId blockId);
    virtual void onCommandStart(const char16_t* commandName);
    virtual void onCommandEnd(const char16_t* commandName);
    virtual void onCommandCancel(const char16_t* commandName);
    virtual void onCommandFailed(const char16_t* commandName);
    virtual void onLispStart(const char16_t* firstLine);
    virtual void onLispEnd();
    virtual void onLispCancel();
};

class VX_HOST_API VxEditor : public VxRxObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    virtual void addReactor(VxRxEventReactor* reactor) = 0;
    virtual void removeReactor(VxRxEventReactor* reactor) = 0;
};

using VxRxFunctionPtr = void (*)();

class VX_HOST_API VxEdCommandStack : public VxRxObject {
  public:
    static VxRxClass* desc();
    VxRxClass* isA() const override;
    // Adds a command; a global or local name already registered in the group is refused
    // with Vx::eDuplicateKey.
    virtual Vx::ErrorStatus addCommand(const char16_t* groupName, const char16_t* globalName,
                                       const char16_t* localName, std::int32_t flags,
                                       VxRxFunctionPtr handler, void* uiContext, int functionCode,
                                       void* resourceHandle, int* commandId) = 0;
    virtual Vx::ErrorStatus removeCmd(const char16_t* groupName, const char16_t* globalName) = 0;
};

// Command line input. Each answers kRtNorm, kRtCan (Escape), kRtNone or kRtError.
// A plain answer ends at a blank or Enter; result must hold kVxMaxStringAnswer characters.
VX_HOST_API int vxedGetString(int allowBlanks, const char16_t* prompt, char16_t* result);
// Blanks allowed; Enter ends the answer. The answer and its terminator fit bufferLength.
VX_HOST_API int vxedGetStringB(const char16_t* prompt, char16_t* result, std::size_t bufferLength);
// A point typed as "x,y" or "x,y,z"; basePoint may be null.
VX_HOST_API int vxedGetPoint(const double* basePoint, const char16_t* prompt, double result[3]);
// A modal alert box with an OK button.
VX_HOST_API int vxedAlert(const char16_t* message);

// Command line output; answers kRtNorm.
VX_HOST_API int vxutPrintfArgs(const char16_t* format, const VxFormatArg* args, std::size_t count);
template <typename... A>
int vxutPrintf(const char16_t* format, const A&... args) {
    const VxFormatArg list[] = {VxFormatArg(args)..., VxFormatArg(0)};
    return vxutPrintfArgs(format, list, sizeof...(A));
}

// Regenerates the display of the current drawing.
VX_HOST_API int vxs_regen();
// The host's main window.
VX_HOST_API void* vxsw_vexaMainWnd();

// Lisp: the loaded plug-in modules as a list of kRtStr elements (release with vxutRelRb).
VX_HOST_API VxResBuf* vxedVmxLoaded();
// Calls a function of the host's function interface. args: the function name as the first
// kRtStr element, then its arguments. On kRtNorm *result holds the answer (or null).
VX_HOST_API int vxedInvoke(const VxResBuf* args, VxResBuf** result);
// Lisp function definition for modules (this module defines none).
VX_HOST_API int vxedDefun(const char16_t* name, int functionCode);
VX_HOST_API int vxedRegFunc(int (*function)(), int functionCode);
VX_HOST_API int vxedUndef(const char16_t* name, int functionCode);
VX_HOST_API int vxedGetFunCode();

// The host's user-interface library set-up, called once by each module at load.
VX_HOST_API void InitVxUiDLL();
