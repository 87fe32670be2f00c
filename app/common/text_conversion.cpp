#include "app/common/text_conversion.h"

#include "host/vx_string.h"

std::u16string U16(std::string_view utf8) {
    return VxString::fromUtf8(utf8).str();
}

std::string Utf8(std::u16string_view text) {
    return VxString(text).toUtf8();
}
