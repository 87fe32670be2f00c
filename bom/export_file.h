// ExportFile: a UTF-16 little-endian text file written in raw bytes through a buffer of its
// own. It owns the open file and closes it when Close() is called or, at the latest, when it
// is destroyed (what was written so far stays on disk).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class ExportFile {
  public:
    // Creates the file, or truncates an existing one; check IsOpen().
    explicit ExportFile(const std::u16string& path);
    ~ExportFile();
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    // Appends the code units of text as two bytes each, low byte first.
    void Write(std::u16string_view text);
    void Write(char16_t unit) { Write(std::u16string_view(&unit, 1)); }
    // Writes out the buffer and closes the file; false when any byte could not be written.
    bool Close();

  private:
    void Flush();

    std::FILE* file_ = nullptr;
    std::string buffer_;
    bool failed_ = false;
};
