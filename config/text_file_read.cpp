#include "config/text_file_read.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>

#include "host/winsys.h"

namespace {
constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';
}  // namespace

CTextFileRead::CTextFileRead() = default;

CTextFileRead::~CTextFileRead() {
    Close();
}

bool CTextFileRead::IsOpen() const {
    return file_.is_open();
}

bool CTextFileRead::Open(const std::u16string& path) {
    // Reopening without Close would otherwise fail on the stream and keep the old mark state.
    Close();
    firstLine_ = true;
    position_ = -1;
    pending_ = false;
    bytesRead_ = 0;
    refusal_ = Refusal::kUnreadable;
    try {
        const std::filesystem::path file(path);
        refusal_ = CheckReadableFile(file);
        if (refusal_ != Refusal::kNone) {
            return false;
        }
        refusal_ = Refusal::kUnreadable;
        file_.open(file, std::ios::in | std::ios::binary);
    } catch (...) {
        return false;  // a path that the file system cannot represent
    }
    if (!file_.is_open()) {
        return false;
    }
    refusal_ = Refusal::kNone;
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    if (!NextByte(first) || !NextByte(second)) {
        Close();
        refusal_ = Refusal::kUnreadable;
        return false;
    }
    markLength_ = 0;
    if (first == 0xFF && second == 0xFE) {
        encoding_ = Utf16LittleEndian;
        markLength_ = 2;
    } else if (first == 0xFE && second == 0xFF) {
        encoding_ = Utf16BigEndian;
        markLength_ = 2;
    } else if (first == 0xEF && second == 0xBB) {
        std::uint8_t third = 0;
        if (!NextByte(third)) {
            Close();
            refusal_ = Refusal::kUnreadable;
            return false;
        }
        encoding_ = third == 0xBF ? Utf8 : Ansi;
        markLength_ = third == 0xBF ? 3 : 0;
    } else {
        int flags = 0xFF;
        winsys::isTextUnicode(block_, fill_, &flags);
        if ((flags & 0x0F) != 0) {
            encoding_ = Utf16LittleEndian;
        } else if ((flags & 0xF0) != 0) {
            encoding_ = Utf16BigEndian;
        } else {
            encoding_ = Ansi;
        }
    }
    Rewind();
    return file_.is_open();
}

void CTextFileRead::Rewind() {
    bytesRead_ = 0;
    file_.clear();
    file_.seekg(0);
    position_ = -1;
    firstLine_ = true;
    atEnd_ = false;
    pending_ = false;
    skipMark_ = true;
    terminatorsTaken_ = 0;
    lineNumber_ = 0;
    lineWasSplit_ = false;
}

bool CTextFileRead::Close() {
    if (!file_.is_open()) {
        return false;
    }
    file_.clear();
    file_.close();
    position_ = -1;
    firstLine_ = true;
    skipMark_ = true;
    atEnd_ = false;
    pending_ = false;
    markLength_ = 0;
    return true;
}

bool CTextFileRead::NextByte(std::uint8_t& byte) {
    if (pending_) {
        pending_ = false;
        byte = pendingByte_;
        return true;
    }
    if (position_ == -1 || position_ == kBlockSize - 1) {
        std::memset(block_, 0, sizeof block_);
        if (bytesRead_ < kMostBytes) {
            file_.read(reinterpret_cast<char*>(block_), kBlockSize);
            fill_ = static_cast<std::int32_t>(file_.gcount());
        } else {
            fill_ = 0;
            refusal_ = Refusal::kTooLarge;
        }
        bytesRead_ += static_cast<std::uintmax_t>(std::max(fill_, 0));
        if (fill_ <= 0) {
            atEnd_ = true;
            byte = 0;
            return false;
        }
        position_ = 0;
    } else if (++position_ >= fill_) {
        atEnd_ = true;
        byte = 0;
        return false;
    }
    byte = block_[position_];
    return true;
}

bool CTextFileRead::NextWide(char16_t& c) {
    c = 0;
    if (skipMark_) {
        skipMark_ = false;
        std::uint8_t ignored = 0;
        for (std::int32_t k = 0; k < markLength_; ++k) {
            if (!NextByte(ignored)) {
                return false;
            }
        }
    }
    if (pending_) {
        pending_ = false;
        c = pendingWide_;
        return true;
    }
    std::uint8_t b0 = 0;
    std::uint8_t b1 = 0;
    if (encoding_ == Utf8) {
        if (!NextByte(b0)) {
            return false;
        }
        if (b0 < 0x80) {
            c = b0;
            return true;
        }
        const int leadingOnes = std::countl_one(b0);
        if (leadingOnes == 2) {
            if (!NextByte(b1)) {
                return false;
            }
            c = static_cast<char16_t>(((b0 & 0x1F) << 6) | (b1 & 0x3F));
            return true;
        }
        if (leadingOnes == 3) {
            std::uint8_t b2 = 0;
            if (!NextByte(b1) || !NextByte(b2)) {
                return false;
            }
            c = static_cast<char16_t>(((b0 & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F));
            return true;
        }
        // A stray continuation byte or a lead byte beyond the 16-bit range: one replacement
        // character per byte, so that the following bytes are looked at on their own.
        c = 0xFFFD;
        return true;
    }
    if (!NextByte(b0) || !NextByte(b1)) {
        return false;
    }
    c = encoding_ == Utf16BigEndian ? static_cast<char16_t>((b0 << 8) | b1)
                                    : static_cast<char16_t>((b1 << 8) | b0);
    return true;
}

// One rule for bytes and wide characters: a line ends at CR LF, CR or LF, at the end of the
// file, or when `limit` characters are stored; the character that ended it stays pending.
// Returns the number of characters stored, or -1 when no line could be read.
template <typename Char, typename Take>
std::int32_t CTextFileRead::SplitLine(Char* out, std::int32_t limit, Take take, Char& pending) {
    constexpr bool kBytes = sizeof(Char) == 1;
    lineWasSplit_ = false;
    Char c = 0;
    if (!take(c) && kBytes) {
        return -1;
    }
    if (firstLine_) {
        firstLine_ = false;
    } else {
        // The previous line stopped before its terminator; skip that one terminator.
        bool taken = true;
        bool skipped = false;
        if (c == kCr) {
            taken = take(c);
            skipped = true;
        }
        if (taken && c == kLf) {
            taken = take(c);
            skipped = true;
        }
        terminatorsTaken_ += skipped ? 1 : 0;
        if (!taken && kBytes) {
            return -1;
        }
    }
    lineNumber_ = terminatorsTaken_ + 1;
    std::int32_t i = 0;
    for (;;) {
        if (c == kCr) {
            ++terminatorsTaken_;
            if (take(c) && c == kLf) {
                take(c);
            }
            break;
        }
        if (c == kLf) {
            ++terminatorsTaken_;
            take(c);
            break;
        }
        if (atEnd_) {
            break;
        }
        if (i >= limit) {
            lineWasSplit_ = true;
            break;
        }
        out[i++] = c;
        take(c);
    }
    out[i] = 0;
    pending = c;
    pending_ = true;
    return i;
}

bool CTextFileRead::ReadLine(char16_t* buffer, std::int32_t size) {
    if (buffer == nullptr || size <= 0) {
        return false;
    }
    std::fill_n(buffer, size, char16_t{0});
    if (atEnd_ || !file_.is_open()) {
        return false;
    }
    if (encoding_ == Ansi) {
        // A limit of 0 would deliver empty lines forever without consuming anything.
        if (size < 2) {
            return false;
        }
        if (!lineBytes_ || lineBytesCapacity_ < size) {
            lineBytes_ = std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(size));
            lineBytesCapacity_ = size;
        }
        const std::int32_t count = SplitLine<std::uint8_t>(
            lineBytes_.get(), LineLimit(size), [this](std::uint8_t& b) { return NextByte(b); },
            pendingByte_);
        if (count < 0) {
            return false;
        }
        // Only the stored bytes are converted: the zeros after them would convert to zeros,
        // and the caller's buffer is already zeroed. The last character stays a terminator.
        if (count > 0) {
            winsys::multiByteToWideChar(winsys::kCpAcp, 0,
                                        reinterpret_cast<const char*>(lineBytes_.get()), count,
                                        buffer, size - 1);
        }
        return true;
    }
    if (size < 4) {
        return false;
    }
    SplitLine<char16_t>(
        buffer, LineLimit(size), [this](char16_t& c) { return NextWide(c); }, pendingWide_);
    return true;
}
