#include "app/common/file_path.h"

namespace {

std::string Narrow(const std::u8string& text) {
    return {text.begin(), text.end()};
}

}  // namespace

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Path(const std::filesystem::path& path) {
    return Narrow(path.u8string());
}

std::string GenericUtf8Path(const std::filesystem::path& path) {
    return Narrow(path.generic_u8string());
}
