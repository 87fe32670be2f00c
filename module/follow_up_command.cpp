#include "module/follow_up_command.h"

#include <algorithm>

namespace {

// Blanks, C0 and C1 control characters and DEL.
bool EndsOrControlsInput(char16_t c) {
    return c <= u' ' || (c >= u'\x7f' && c <= u'\x9f');
}

bool SafeArgument(const std::u16string& value) {
    return !value.empty() && std::none_of(value.begin(), value.end(), EndsOrControlsInput);
}

bool AllDecimalDigits(const std::u16string& value) {
    return !value.empty() && std::all_of(value.begin(), value.end(),
                                         [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

FollowUpCommand Rejected(const std::u16string& value) {
    return FollowUpCommand{false, {}, value};
}

}  // namespace

FollowUpCommand BuildFollowUpCommand(const std::u16string& key, const std::u16string& entityId,
                                     std::u16string_view trigger) {
    if (!SafeArgument(key)) {
        return Rejected(key);
    }
    std::u16string entity;
    if (!entityId.empty() && entityId != u"0") {
        if (!AllDecimalDigits(entityId)) {
            return Rejected(entityId);
        }
        entity = entityId;
    } else if (trigger == u"ORBDDWGINSERT") {
        entity = u"entlast";
    } else {
        entity = u"0";
    }
    // The trailing blank ends the last argument when the host reads the string.
    std::u16string text = u"ORBDUPDATEPARTREF " + key + u" " + entity + u" ";
    if (text.size() >= kFollowUpCommandBufferLength) {
        const std::size_t fixed = text.size() - key.size() - entity.size();
        const bool keyAloneFits = fixed + key.size() + 1 < kFollowUpCommandBufferLength;
        return Rejected(keyAloneFits && entity == entityId ? entityId : key);
    }
    return FollowUpCommand{true, std::move(text), {}};
}
