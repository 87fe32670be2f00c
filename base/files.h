// The module's files: every file the module reads or writes goes through these two holders
// and, below them, the window system's file functions (host/winsys.h), which open a file by
// its UTF-16 path on Windows and by the path's UTF-8 form elsewhere. Each holder owns the
// file it opened and closes it when Close() is called or, at the latest, when it is
// destroyed; what was written before stays on disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "host/winsys.h"

// An existing regular file, read from the start.
class InputFile {
  public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Closes what was open, then opens path; false, and why in LastFailure(), when it did not.
    bool Open(const std::u16string& path);
    bool IsOpen() const { return file_ != nullptr; }
    winsys::FileOpenFailure LastFailure() const { return failure_; }
    // The open file's size in bytes; false when it cannot be told.
    bool Size(std::uint64_t& size) const;
    // Up to size bytes from the current place: the number read, 0 at the end, -1 when the
    // file could not be read.
    long Read(void* bytes, unsigned long size);
    bool Rewind();
    // False when no file was open.
    bool Close();

  private:
    winsys::FileHandle file_ = nullptr;
    winsys::FileOpenFailure failure_ = winsys::FileOpenFailure::kNone;
};

// A file created, or truncated if it exists, and written from the start.
class OutputFile {
  public:
    // Creates the file; check IsOpen().
    explicit OutputFile(const std::u16string& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // False when the system did not take all the bytes; some of them may be on disk.
    bool Append(const void* bytes, std::size_t size);
    // False when no file was open or closing failed (bytes written may then be lost).
    bool Close();

  private:
    winsys::FileHandle file_ = nullptr;
};
