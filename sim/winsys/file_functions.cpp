// The window system's file functions: the system's wide-path functions on Windows, POSIX
// elsewhere with the path in UTF-8. Each passes its fault checkpoint first, so that a fault
// sweep fails the module's files as it fails its host calls.
#include <cstdint>

#include "host/winsys.h"
#include "sim/host/faults.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "host/vx_string.h"
#endif

namespace winsys {

#if defined(_WIN32)

namespace {

HANDLE handleOf(FileHandle file) {
    return static_cast<HANDLE>(file);
}

bool isMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

FileHandle openFile(const char16_t* path, FileAccess access, FileOpenFailure* failure) {
    FileOpenFailure ignored = FileOpenFailure::kNone;
    FileOpenFailure& why = failure != nullptr ? *failure : ignored;
    why = FileOpenFailure::kFailed;
    if (sim::checkpoint("openFile") != 0) {
        return nullptr;
    }
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(path);
    if (access == FileAccess::kRead) {
        // A folder does not open as a file at all; tell it from one that is not there.
        const DWORD attributes = GetFileAttributesW(wide);
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            why = isMissing(GetLastError()) ? FileOpenFailure::kMissing : FileOpenFailure::kFailed;
            return nullptr;
        }
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            why = FileOpenFailure::kNotRegular;
            return nullptr;
        }
    }
    HANDLE file = access == FileAccess::kRead
                      ? CreateFileW(wide, GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)
                      : CreateFileW(wide, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        why = isMissing(GetLastError()) ? FileOpenFailure::kMissing : FileOpenFailure::kFailed;
        return nullptr;
    }
    if (access == FileAccess::kRead && GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        why = FileOpenFailure::kNotRegular;
        return nullptr;
    }
    why = FileOpenFailure::kNone;
    return file;
}

bool fileSize(FileHandle file, std::uint64_t* size) {
    LARGE_INTEGER bytes{};
    if (!GetFileSizeEx(handleOf(file), &bytes) || bytes.QuadPart < 0) {
        return false;
    }
    *size = static_cast<std::uint64_t>(bytes.QuadPart);
    return true;
}

long readFile(FileHandle file, void* bytes, unsigned long size) {
    if (sim::checkpoint("readFile") != 0) {
        return -1;
    }
    DWORD read = 0;
    if (!ReadFile(handleOf(file), bytes, static_cast<DWORD>(size), &read, nullptr)) {
        return -1;
    }
    return static_cast<long>(read);
}

bool rewindFile(FileHandle file) {
    return SetFilePointerEx(handleOf(file), LARGE_INTEGER{}, nullptr, FILE_BEGIN) != FALSE;
}

bool writeFile(FileHandle file, const void* bytes, std::size_t size) {
    if (sim::checkpoint("writeFile") != 0) {
        return false;
    }
    const char* next = static_cast<const char*>(bytes);
    while (size > 0) {
        const DWORD chunk = static_cast<DWORD>(size < (1u << 30) ? size : (1u << 30));
        DWORD written = 0;
        if (!WriteFile(handleOf(file), next, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        next += written;
        size -= written;
    }
    return true;
}

bool closeFile(FileHandle file) {
    const bool faulted = sim::checkpoint("closeFile") != 0;
    // A failing close still gives the handle back: nothing may stay open.
    const bool closed = CloseHandle(handleOf(file)) != FALSE;
    return closed && !faulted;
}

#else

namespace {

// Descriptor 0 is a valid file, and the null handle means none.
int descriptorOf(FileHandle file) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(file) - 1);
}

FileHandle handleOf(int descriptor) {
    return reinterpret_cast<FileHandle>(static_cast<std::intptr_t>(descriptor) + 1);
}

}  // namespace

FileHandle openFile(const char16_t* path, FileAccess access, FileOpenFailure* failure) {
    FileOpenFailure ignored = FileOpenFailure::kNone;
    FileOpenFailure& why = failure != nullptr ? *failure : ignored;
    why = FileOpenFailure::kFailed;
    if (sim::checkpoint("openFile") != 0) {
        return nullptr;
    }
    const std::string name = VxString(path).toUtf8();
    // Without O_NONBLOCK, opening a pipe waits for the other end; it is taken off again once
    // the file is known to be what was asked for.
    const int flags = access == FileAccess::kRead ? O_RDONLY : O_WRONLY | O_CREAT | O_TRUNC;
    const int descriptor = ::open(name.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        why = errno == ENOENT || errno == ENOTDIR ? FileOpenFailure::kMissing
                                                  : FileOpenFailure::kFailed;
        return nullptr;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 ||
        (access == FileAccess::kRead && !S_ISREG(status.st_mode))) {
        why = S_ISREG(status.st_mode) ? FileOpenFailure::kFailed : FileOpenFailure::kNotRegular;
        ::close(descriptor);
        return nullptr;
    }
    const int mode = ::fcntl(descriptor, F_GETFL);
    if (mode == -1 || ::fcntl(descriptor, F_SETFL, mode & ~O_NONBLOCK) == -1) {
        ::close(descriptor);
        return nullptr;
    }
    why = FileOpenFailure::kNone;
    return handleOf(descriptor);
}

bool fileSize(FileHandle file, std::uint64_t* size) {
    struct stat status {};
    if (::fstat(descriptorOf(file), &status) != 0 || status.st_size < 0) {
        return false;
    }
    *size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

long readFile(FileHandle file, void* bytes, unsigned long size) {
    if (sim::checkpoint("readFile") != 0) {
        return -1;
    }
    for (;;) {
        const ssize_t got = ::read(descriptorOf(file), bytes, size);
        if (got >= 0 || errno != EINTR) {
            return static_cast<long>(got);
        }
    }
}

bool rewindFile(FileHandle file) {
    return ::lseek(descriptorOf(file), 0, SEEK_SET) == 0;
}

bool writeFile(FileHandle file, const void* bytes, std::size_t size) {
    if (sim::checkpoint("writeFile") != 0) {
        return false;
    }
    const char* next = static_cast<const char*>(bytes);
    while (size > 0) {
        const ssize_t written = ::write(descriptorOf(file), next, size);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool closeFile(FileHandle file) {
    const bool faulted = sim::checkpoint("closeFile") != 0;
    // A failing close still gives the descriptor back (and it must not be closed twice).
    const bool closed = ::close(descriptorOf(file)) == 0;
    return closed && !faulted;
}

#endif

}  // namespace winsys
