#include "resources/string_table.h"

namespace {
struct StringResource {
    int id;
    const char16_t* text;
};
constexpr StringResource kStrings[] = {
    {kIdsModuleName, u"" IDS_MODULE_NAME_TEXT},
};
}  // namespace

int LoadModuleString(int id, char16_t* buffer, int bufferLength) {
    if (buffer == nullptr || bufferLength <= 0) {
        return 0;
    }
    buffer[0] = 0;
    for (const StringResource& s : kStrings) {
        if (s.id != id) {
            continue;
        }
        int n = 0;
        while (s.text[n] != 0 && n < bufferLength - 1) {
            buffer[n] = s.text[n];
            ++n;
        }
        buffer[n] = 0;
        return n;
    }
    return 0;
}
