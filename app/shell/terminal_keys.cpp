#include "app/shell/terminal_keys.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr char kEsc = '\x1b';
// Longer than any key's sequence: a stream of bytes that never ends one is not a key.
constexpr std::size_t kLongestSequence = 16;

constexpr BoundKey kBoundKeys[] = {
    {"\x1b[A", "ed-prev-history"},      {"\x1bOA", "ed-prev-history"},
    {"\x1b[B", "ed-next-history"},      {"\x1bOB", "ed-next-history"},
    {"\x1b[C", "ed-next-char"},         {"\x1bOC", "ed-next-char"},
    {"\x1b[D", "ed-prev-char"},         {"\x1bOD", "ed-prev-char"},
    {"\x1b[H", "ed-move-to-beg"},       {"\x1bOH", "ed-move-to-beg"},
    {"\x1b[1~", "ed-move-to-beg"},      {"\x1b[7~", "ed-move-to-beg"},
    {"\x1b[F", "ed-move-to-end"},       {"\x1bOF", "ed-move-to-end"},
    {"\x1b[4~", "ed-move-to-end"},      {"\x1b[8~", "ed-move-to-end"},
    {"\x1b[3~", "ed-delete-next-char"}, {"\x1b[2~", "em-toggle-overwrite"},
    {"\x1b[1;5C", "em-next-word"},      {"\x1b[1;5D", "ed-prev-word"},
};

enum class Shape { kOpen, kComplete, kMalformed };

// A control sequence: "Esc [", parameter bytes, intermediate bytes, one final byte.
Shape ControlSequenceShape(std::string_view bytes) {
    for (std::size_t i = 2; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x40 && c <= 0x7E) {
            return i + 1 == bytes.size() ? Shape::kComplete : Shape::kMalformed;
        }
        if (c < 0x20 || c > 0x3F) {
            return Shape::kMalformed;
        }
    }
    return Shape::kOpen;
}

// "Esc O" and one byte: a cursor key in the terminal's application mode.
Shape ApplicationKeyShape(std::string_view bytes) {
    return bytes.size() < 3    ? Shape::kOpen
           : bytes.size() == 3 ? Shape::kComplete
                               : Shape::kMalformed;
}

bool IsBound(std::string_view bytes) {
    return std::any_of(std::begin(kBoundKeys), std::end(kBoundKeys),
                       [&](const BoundKey& key) { return key.sequence == bytes; });
}

}  // namespace

KeySequence ClassifyKeySequence(std::string_view bytes) {
    if (bytes.size() < 2) {
        return KeySequence::kIncomplete;
    }
    if (bytes.size() > kLongestSequence) {
        return KeySequence::kUnbound;
    }
    Shape shape = Shape::kMalformed;
    switch (bytes[1]) {
        case kEsc:
            return bytes.size() == 2 ? KeySequence::kEscape : KeySequence::kUnbound;
        case '[':
            shape = ControlSequenceShape(bytes);
            break;
        case 'O':
            shape = ApplicationKeyShape(bytes);
            break;
        default:
            // Alt with a key: the shell binds none.
            return KeySequence::kUnbound;
    }
    if (shape == Shape::kOpen) {
        return KeySequence::kIncomplete;
    }
    return shape == Shape::kComplete && IsBound(bytes) ? KeySequence::kBound
                                                       : KeySequence::kUnbound;
}

std::span<const BoundKey> BoundKeys() {
    return kBoundKeys;
}
