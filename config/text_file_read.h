// CTextFileRead: reads a text file line by line as UTF-16, whatever its encoding (the ANSI
// code page, UTF-16 in either byte order, UTF-8), recognised by a byte-order mark or, without
// one, by the window system's text statistics.
//
// Calling order: Open; while not AtEnd, ReadLine; Close. The reader owns its file (an
// InputFile) and its line byte buffer; the destructor closes the one and frees the other.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/files.h"
#include "config/readable_file.h"

class CTextFileRead {
  public:
    enum TextEncoding : std::int32_t {
        Ansi = 0,
        Utf16BigEndian = 1,
        Utf16LittleEndian = 2,
        Utf8 = 3,
    };

    static constexpr int kBlockSize = 1024;
    static constexpr std::uintmax_t kMostBytes = kMostReadableBytes;

    // Why the last Open failed, or why the file could not be read to its end (kTooLarge,
    // kUnreadable).
    using Refusal = FileRefusal;

    CTextFileRead();
    virtual ~CTextFileRead();
    CTextFileRead(const CTextFileRead&) = delete;
    CTextFileRead& operator=(const CTextFileRead&) = delete;

    // True when the file is open and its encoding was recognised. A file shorter than two
    // bytes, or one that ends right after EF BB, is not opened; nor is a file that is
    // not regular or is larger than kMostBytes. Reading stops at kMostBytes even if the file grows
    // meanwhile.
    bool Open(const std::u16string& path);
    bool IsOpen() const;
    Refusal LastRefusal() const { return refusal_; }
    bool AtEnd() const { return atEnd_; }
    // Zeroes buffer[0..size) and delivers the next line into it, terminated. A line longer
    // than LineLimit(size) is split; its rest is the next line.
    bool ReadLine(char16_t* buffer, std::int32_t size);
    // The longest line ReadLine delivers whole into a buffer of size: size - 1 bytes (Ansi) or
    // size - 3 characters.
    std::int32_t LineLimit(std::int32_t size) const {
        return encoding_ == Ansi ? size - 1 : size - 3;
    }
    bool Close();

    TextEncoding Encoding() const { return encoding_; }
    // Bytes of byte-order mark that precede the text: 0, 2 or 3.
    std::int32_t MarkLength() const { return markLength_; }
    // The file line (from 1) on which the line last delivered by ReadLine starts.
    std::int32_t LineNumber() const { return lineNumber_; }
    // Whether the line last delivered stopped at the length limit, so that the rest of
    // its file line comes as the next line.
    bool LineWasSplit() const { return lineWasSplit_; }

  private:
    bool NextByte(std::uint8_t& byte);
    bool NextWide(char16_t& c);
    template <typename Char, typename Take>
    std::int32_t SplitLine(Char* out, std::int32_t limit, Take take, Char& pending);
    bool Rewind();

    InputFile file_;
    Refusal refusal_ = Refusal::kNone;
    std::uintmax_t bytesRead_ = 0;
    TextEncoding encoding_ = Ansi;
    bool atEnd_ = false;
    std::uint8_t block_[kBlockSize] = {};
    std::int32_t position_ = -1;
    std::int32_t fill_ = 0;
    std::int32_t markLength_ = 0;
    bool pending_ = false;
    std::uint8_t pendingByte_ = 0;
    char16_t pendingWide_ = 0;
    bool firstLine_ = true;
    bool skipMark_ = true;
    std::unique_ptr<std::uint8_t[]> lineBytes_;
    std::int32_t lineBytesCapacity_ = 0;

    std::int32_t terminatorsTaken_ = 0;
    std::int32_t lineNumber_ = 0;
    bool lineWasSplit_ = false;
};
