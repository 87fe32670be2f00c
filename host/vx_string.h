// VxString: the host framework's wide-character string (UTF-16).
//
// Formatting and upper-case folding are services of this class, as on the real host:
// modules format every message through VxString::format and fold names with makeUpper,
// so that they behave alike wherever the host runs them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "host/vx_export.h"

// One argument of a format: "%s" takes text, "%d" a signed and "%u" an unsigned number.
struct VxFormatArg {
    enum class Kind { kText, kSigned, kUnsigned } kind;
    const char16_t* text = nullptr;
    long long number = 0;

    VxFormatArg(const char16_t* t) : kind(Kind::kText), text(t) {}
    VxFormatArg(const std::u16string& t) : kind(Kind::kText), text(t.c_str()) {}
    template <typename N, typename = std::enable_if_t<std::is_integral_v<N>>>
    VxFormatArg(N n)
        : kind(std::is_signed_v<N> ? Kind::kSigned : Kind::kUnsigned),
          number(static_cast<long long>(n)) {}
};

class VX_HOST_API VxString {
  public:
    VxString() = default;
    VxString(const char16_t* text) : text_(text ? text : u"") {}
    VxString(std::u16string text) : text_(std::move(text)) {}
    VxString(std::u16string_view text) : text_(text) {}

    const char16_t* c_str() const { return text_.c_str(); }
    const std::u16string& str() const { return text_; }
    std::size_t length() const { return text_.size(); }
    bool isEmpty() const { return text_.empty(); }

    // Folds to upper case under the current C runtime locale, code unit by code unit.
    VxString& makeUpper();

    // Expands "%s", "%d", "%u" and "%%" of fmt; a directive without a matching argument,
    // or of the wrong kind, expands to nothing rather than reading past the arguments.
    template <typename... A>
    static VxString format(const char16_t* fmt, const A&... args) {
        const VxFormatArg list[] = {VxFormatArg(args)..., VxFormatArg(0)};
        return formatArgs(fmt, list, sizeof...(A));
    }
    static VxString formatArgs(const char16_t* fmt, const VxFormatArg* args, std::size_t count);

    // Conversions at the edges of the host (files, terminal).
    static VxString fromUtf8(std::string_view utf8);
    std::string toUtf8() const;

    friend bool operator==(const VxString& a, const VxString& b) { return a.text_ == b.text_; }
    friend bool operator<(const VxString& a, const VxString& b) { return a.text_ < b.text_; }

  private:
    std::u16string text_;
};
