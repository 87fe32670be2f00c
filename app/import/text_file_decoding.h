// The text of an input file as UTF-8, whatever form a spreadsheet or the module wrote it in:
// UTF-16 with a byte-order mark (little- or big-endian), or UTF-8 with or without one.
#pragma once

#include <string>

struct DecodedText {
    std::string utf8;  // without the byte-order mark
    bool utf16 = false;
};

// Throws ImportError with the line of the first unit that is not text: a sequence that is not
// UTF-8, a UTF-16 surrogate without its partner, a UTF-16 file cut inside a unit, or a NUL
// character, which no text of the host can hold.
DecodedText DecodeTextFile(const std::string& bytes);
