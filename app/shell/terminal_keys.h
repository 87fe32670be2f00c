// The escape sequences a terminal sends for its special keys, as the shell's line editor
// takes them: a lone Esc cancels; a key the shell binds (arrows, Home, End, Delete, Insert,
// Ctrl with the arrows) is edited with; every other sequence (Page Up, F-keys, Alt with a
// key) is dropped whole, so that no part of it lands in the line.
#pragma once

#include <span>
#include <string_view>

enum class KeySequence {
    kIncomplete,  // more bytes may follow
    kEscape,      // Esc alone, or twice
    kBound,
    kUnbound,
};

// bytes begins with Esc (0x1B).
KeySequence ClassifyKeySequence(std::string_view bytes);

// A sequence the shell binds, with the line editor's function it runs.
struct BoundKey {
    std::string_view sequence;
    const char* function;
};
// The bound keys, in both the normal and the application cursor forms.
std::span<const BoundKey> BoundKeys();
