// The one escaping of vexa-sim's output: every form escapes the same characters (C0, DEL, C1,
// bytes that are not UTF-8), and a text without them reads as it did before escaping.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "app/common/terminal_text.h"

namespace {

TEST(TerminalText, EveryFormEscapesControlsDelAndC1) {
    EXPECT_EQ(EscapeControls("a\tb\x1b[1m\x7f \xc2\x9b"
                             "2J \xc2\xa0 \xc3\xa4"),
              "a\tb\\x1b[1m\\x7f \\u009b2J \xc2\xa0 \xc3\xa4")
        << "terminal form keeps the tab and characters from U+00A0 on";
    EXPECT_EQ(EscapeControls("a\tb\n\x7f\xc2\x85", EscapeForm::kUnicode),
              "a\\u0009b\\u000a\\u007f\\u0085");
    EXPECT_EQ(EscapeControls("\"\\\b\f\n\r\t\x01\x7f\xc2\x9b/", EscapeForm::kJsonString),
              "\\\"\\\\\\b\\f\\n\\r\\t\\u0001\\u007f\\u009b/");
}

TEST(TerminalText, BytesThatAreNoUtf8AreShownOneByOne) {
    for (const EscapeForm form :
         {EscapeForm::kTerminal, EscapeForm::kUnicode, EscapeForm::kJsonString}) {
        EXPECT_EQ(EscapeControls("\x80", form), "\\x80") << "a stray continuation byte";
        EXPECT_EQ(EscapeControls("\xc0\xaf", form), "\\xc0\\xaf") << "an overlong form";
        EXPECT_EQ(EscapeControls("\xed\xa0\x80", form), "\\xed\\xa0\\x80") << "a surrogate";
        EXPECT_EQ(EscapeControls("\xf4\x90\x80\x80", form), "\\xf4\\x90\\x80\\x80")
            << "beyond U+10FFFF";
        EXPECT_EQ(EscapeControls("x\xe2\x82", form), "x\\xe2\\x82") << "cut short at the end";
        EXPECT_EQ(EscapeControls("\xe2"
                                 "A\xc2",
                                 form),
                  "\\xe2A\\xc2")
            << "a lead byte followed by ASCII";
        EXPECT_EQ(EscapeControls("\xe2\x82\xac \xed\x9f\xbf \xef\xbf\xbd \xf0\x9f\x98\x80", form),
                  "\xe2\x82\xac \xed\x9f\xbf \xef\xbf\xbd \xf0\x9f\x98\x80")
            << "valid sequences of three and four bytes are kept";
    }
}

// The transcript quoted its texts as JSON strings before; for texts without DEL, C1 or broken
// UTF-8 it still does, byte for byte.
TEST(TerminalText, JsonFormIsJsonForTextsWithoutDelC1OrBrokenUtf8) {
    std::string every;
    for (int c = 0; c < 0x7f; ++c) {
        every += static_cast<char>(c);
    }
    for (const std::string& text : {every,
                                    std::string("Pr\xc3\xbc"
                                                "fung \xe2\x82\xac \xf0\x9f\x98\x80 \xc2\xa0"),
                                    std::string()}) {
        EXPECT_EQ("\"" + EscapeControls(text, EscapeForm::kJsonString) + "\"",
                  nlohmann::json(text).dump());
    }
}

}  // namespace
