// A file vexa-sim writes (a saved drawing, a scenario's file in the work directory): created or
// emptied when constructed, and done only when Close has seen every byte reach the system.
// A full disk shows only when the buffer is handed on, so a write that is never closed
// counts as failed; the destructor closes without a word.
#pragma once

#include <filesystem>
#include <fstream>
#include <ostream>

class WrittenFile {
  public:
    // Throws FileError with the system's reason when the file cannot be created.
    explicit WrittenFile(const std::filesystem::path& file);
    WrittenFile(const WrittenFile&) = delete;
    WrittenFile& operator=(const WrittenFile&) = delete;

    std::ostream& Stream() { return out_; }
    // Hands everything on and closes the file; throws FileError when any write failed.
    void Close();

  private:
    // Keeps the system's reason of the first failure, before later calls can overwrite it.
    void NoteFailure();

    std::filesystem::path file_;
    std::ofstream out_;
    bool failed_ = false;
    int error_ = 0;
};
