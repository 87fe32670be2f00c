// Encoding the texts of scenario files into the bytes written to the work directory.
#pragma once

#include <string>

enum class TextEncodingKind { kUtf8, kUtf16Le, kUtf16Be, kAnsi };

bool ParseTextEncoding(const std::string& name, TextEncodingKind& encoding);
// Encodes UTF-8 text; "ansi" is Windows-1252, the code page mapping files are written in.
// With mark, the byte-order mark of the encoding comes first (none for ANSI).
bool EncodeText(const std::string& utf8, TextEncodingKind encoding, bool mark, std::string& bytes,
                std::string& error);
// "EF BB 41" or "efbb41": pairs of hexadecimal digits, blanks allowed between pairs.
bool DecodeHex(const std::string& hex, std::string& bytes);
