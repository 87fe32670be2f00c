// The "ORBDUPDATEPARTREF" command string that the drawing-event reactor queues for a pending
// part reference, built from the PDM values "PARTREF" and "PARTREFID".
//
// The string is typed into the host's command line, where a blank ends an argument and a
// control character acts as a key: a value holding either would become further commands, so
// such values are refused, as is an entity id that is not all decimal digits and a string
// that does not fit the host's command buffer.
#pragma once

#include <string>
#include <string_view>

// Characters of the command buffer, terminator included.
constexpr std::size_t kFollowUpCommandBufferLength = 256;

struct FollowUpCommand {
    bool accepted = false;
    std::u16string text;      // the command string when accepted
    std::u16string rejected;  // the value that made it unsafe or too long otherwise
};

// key: "PARTREF", neither empty nor "0". entityId: "PARTREFID" as read. trigger: the name of
// the command or lisp function whose end processes the pending part reference.
FollowUpCommand BuildFollowUpCommand(const std::u16string& key, const std::u16string& entityId,
                                     std::u16string_view trigger);
