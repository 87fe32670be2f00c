// The window-system functions that the module uses, behind one portable seam.
//
// On Windows each forwards to the system function of the same name; elsewhere the host
// provides equivalents with the same contracts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "host/vx_export.h"

namespace winsys {

using Hwnd = void*;

// IsTextUnicode tests, as bits of the flags word.
enum : int {
    kUnicodeAscii16 = 0x0001,
    kUnicodeStatistics = 0x0002,
    kUnicodeControls = 0x0004,
    kUnicodeSignature = 0x0008,
    kUnicodeReverseAscii16 = 0x0010,
    kUnicodeReverseStatistics = 0x0020,
    kUnicodeReverseControls = 0x0040,
    kUnicodeReverseSignature = 0x0080,
};

// Tests whether bytes are likely UTF-16 text. *flags holds the tests to run on entry and
// the tests that passed on return; the answer is whether the text is judged UTF-16.
VX_HOST_API bool isTextUnicode(const void* bytes, int size, int* flags);

constexpr unsigned kCpAcp = 0;  // the system's ANSI code page

// Converts narrow text of a code page to UTF-16, as MultiByteToWideChar does: with dstLen 0
// it answers the length needed; otherwise the number of characters written (0 on failure).
// It never writes more than dstLen characters.
VX_HOST_API int multiByteToWideChar(unsigned codePage, unsigned flags, const char* src, int srcLen,
                                    char16_t* dst, int dstLen);

// Files, named by their UTF-16 path: on Windows the system's wide-path functions open them,
// elsewhere the system's own take the path in UTF-8. A handle stays valid until closeFile.
using FileHandle = void*;  // nullptr: no file

enum class FileAccess {
    kRead,   // an existing regular file; others may read, write or remove it meanwhile
    kWrite,  // created, or truncated if it exists
};
enum class FileOpenFailure { kNone, kMissing, kNotRegular, kFailed };

// The open file, or nullptr and the reason in *failure (which may be null). Only regular
// files are opened for reading: a device or a pipe could block or never end; nor does
// opening for writing wait for a pipe's reader.
VX_HOST_API FileHandle openFile(const char16_t* path, FileAccess access, FileOpenFailure* failure);
// The file's size in bytes; false when the system cannot tell it.
VX_HOST_API bool fileSize(FileHandle file, std::uint64_t* size);
// Reads up to size bytes from the current place: the number read, 0 at the end, -1 when the
// file could not be read.
VX_HOST_API long readFile(FileHandle file, void* bytes, unsigned long size);
// Moves the current place back to the first byte.
VX_HOST_API bool rewindFile(FileHandle file);
// Writes all size bytes; false when the system did not take them all (some may be on disk).
VX_HOST_API bool writeFile(FileHandle file, const void* bytes, std::size_t size);
// Closes the file; false when that failed, so that bytes written may be lost. The handle is
// gone either way.
VX_HOST_API bool closeFile(FileHandle file);

VX_HOST_API Hwnd getForegroundWindow();
VX_HOST_API unsigned long getWindowThreadProcessId(Hwnd window, unsigned long* processId);
VX_HOST_API unsigned long getCurrentThreadId();
VX_HOST_API bool attachThreadInput(unsigned long thread, unsigned long toThread, bool attach);
VX_HOST_API bool setForegroundWindow(Hwnd window);
VX_HOST_API unsigned long getLastError();
// Formats one unsigned number into buffer (at most bufferLength characters with the
// terminator), as wsprintfW does with "%u".
VX_HOST_API int formatUnsigned(char16_t* buffer, std::size_t bufferLength, const char16_t* format,
                               unsigned long value);
VX_HOST_API void outputDebugString(const char16_t* text);

// Message boxes.
enum : unsigned { kMbYesNo = 0x04, kMbIconQuestion = 0x20 };
enum : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };
VX_HOST_API int messageBox(Hwnd owner, const char16_t* text, const char16_t* caption,
                           unsigned style);

// Modal dialogs built from a dialog resource, found first in the current resource handle,
// then along the resource chain. The texts replace the resource's when the dialog opens (an
// empty caption keeps the resource's); the automatic check box named by checkBoxId, if any,
// opens in the state checked.
struct DialogRequest {
    int resourceId = 0;
    std::u16string caption;
    std::vector<std::pair<int, std::u16string>> texts;  // control id, text
    int checkBoxId = 0;
    bool checked = false;
};
struct DialogOutcome {
    // The button that closed the dialog (kIdOk, kIdCancel; Escape and the close box count as
    // kIdCancel), or -1 when the dialog could not be created.
    int result = -1;
    // The check box's state when a button closed the dialog; the request's state after -1.
    bool checked = false;
};
VX_HOST_API DialogOutcome runModalDialog(Hwnd owner, const DialogRequest& request);

// Module instances and resources. An instance handle names a loaded module file; resources
// (dialogs, strings) are searched along the process's resource chain.
using Hinstance = void*;

// The instance handle of the loaded module that holds this address.
VX_HOST_API Hinstance moduleHandleFromAddress(const void* address);

// The window framework's record of an extension module: while it is initialised, the module's
// resources are part of the process's resource search chain.
struct ExtensionModuleBlock {
    Hinstance module = nullptr;
    Hinstance resources = nullptr;
    bool initialized = false;
};
VX_HOST_API bool initExtensionModule(ExtensionModuleBlock& block, Hinstance module);
VX_HOST_API void termExtensionModule(ExtensionModuleBlock& block);
// The resource handle that resource look-ups use first right now.
VX_HOST_API Hinstance currentResourceHandle();

}  // namespace winsys
