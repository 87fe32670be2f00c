// The window system's statistical test for UTF-16 text (IsTextUnicode).
//
// Like the system function it looks at the first 256 code units and runs each requested test
// for both byte orders: the machine's order gives the bits 0x01..0x08, the reversed order
// 0x10..0x80.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>

#include "host/winsys.h"
#include "sim/winsys/portable_text.h"

namespace sim {

namespace {

constexpr int kUnitsExamined = 256;
constexpr int kForwardMask = 0x0F;
constexpr int kReverseMask = 0xF0;

std::uint16_t Swap(std::uint16_t unit) {
    return static_cast<std::uint16_t>((unit << 8) | (unit >> 8));
}

// Return, line feed, space, CJK space and tab: the blanks that plain text is made of.
bool IsTextControl(std::uint16_t unit) {
    return unit == 0x000D || unit == 0x000A || unit == 0x0020 || unit == 0x3000 || unit == 0x0009;
}

bool IsZeroExtendedAscii(std::uint16_t unit) {
    return unit >= 0x0001 && unit <= 0x007F;
}

// In UTF-16 of alphabetic scripts the high byte of neighbouring characters changes far less
// than the low byte, and it mostly holds the script's block: 0x00 for Latin, 0x04 for
// Cyrillic, 0x03 for Greek. The lean alone would also take narrow text with a regular
// rhythm (short lines of even length put "=" and LF always on odd bytes), so the usual high
// byte must also be one that narrow text does not contain: a control byte other than tab,
// CR and LF.
bool LeansLikeUtf16(const std::uint16_t* units, int count) {
    if (count < 2) {
        return false;
    }
    long lowChange = 0;
    long highChange = 0;
    int highCounts[256] = {};
    ++highCounts[units[0] >> 8];
    for (int i = 1; i < count; ++i) {
        lowChange += std::abs((units[i] & 0xFF) - (units[i - 1] & 0xFF));
        highChange += std::abs((units[i] >> 8) - (units[i - 1] >> 8));
        ++highCounts[units[i] >> 8];
    }
    const int usualHigh =
        static_cast<int>(std::max_element(highCounts, highCounts + 256) - highCounts);
    const bool scriptBlock =
        usualHigh < 0x20 && usualHigh != 0x09 && usualHigh != 0x0A && usualHigh != 0x0D;
    return 3 * highChange < lowChange && scriptBlock && 2 * highCounts[usualHigh] >= count;
}

// The results of the four tests on units read in one byte order, as the low four bits.
int RunTests(const std::uint16_t* units, int count) {
    int passed = 0;
    if (units[0] == 0xFEFF) {
        passed |= winsys::kUnicodeSignature;
    }
    // A signature is not text, so it does not spoil the ASCII test.
    const int textStart = units[0] == 0xFEFF ? 1 : 0;
    if (textStart < count && std::all_of(units + textStart, units + count, IsZeroExtendedAscii)) {
        passed |= winsys::kUnicodeAscii16;
    }
    if (std::any_of(units, units + count, IsTextControl)) {
        passed |= winsys::kUnicodeControls;
    }
    if (LeansLikeUtf16(units, count)) {
        passed |= winsys::kUnicodeStatistics;
    }
    return passed;
}

}  // namespace

bool portableIsTextUnicode(const void* bytes, int size, int* flags) {
    const int requested = flags != nullptr ? *flags : 0xFF;
    if (bytes == nullptr || size < 2) {
        if (flags != nullptr) {
            *flags = 0;
        }
        return false;
    }
    const auto* data = static_cast<const std::uint8_t*>(bytes);
    const int count = std::min(size / 2, kUnitsExamined);
    std::uint16_t machine[kUnitsExamined];
    std::uint16_t reversed[kUnitsExamined];
    for (int i = 0; i < count; ++i) {
        const auto little = static_cast<std::uint16_t>(data[2 * i] | (data[2 * i + 1] << 8));
        machine[i] = std::endian::native == std::endian::little ? little : Swap(little);
        reversed[i] = Swap(machine[i]);
    }
    const int passed = (RunTests(machine, count) | (RunTests(reversed, count) << 4)) & requested;
    if (flags != nullptr) {
        *flags = passed;
    }
    return (passed & kForwardMask) != 0 && (passed & kReverseMask) == 0;
}

}  // namespace sim
