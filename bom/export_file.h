// ExportFile: a UTF-16 little-endian text file written in raw bytes through a buffer of its
// own. It owns the open file (an OutputFile) and closes it when Close() is called or, at the
// latest, when it is destroyed; what was written so far stays on disk.
#pragma once

#include <string>
#include <string_view>

#include "base/files.h"

class ExportFile {
  public:
    // Creates the file, or truncates an existing one; check IsOpen().
    explicit ExportFile(const std::u16string& path);
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    bool IsOpen() const { return file_.IsOpen(); }
    // Appends the code units of text as two bytes each, low byte first. Once a write has
    // failed, nothing more is written: the file holds what came before the failure.
    void Write(std::u16string_view text);
    void Write(char16_t unit) { Write(std::u16string_view(&unit, 1)); }
    // Writes out the buffer and closes the file; false when any byte could not be written or
    // the file could not be closed.
    bool Close();

  private:
    void Flush();

    OutputFile file_;
    std::string buffer_;
    bool failed_ = false;
};
