#include "platform/text/cp932.h"

#include <gtest/gtest.h>

using platform::text::Cp932ToUtf8;
using platform::text::Utf8ToCp932;

namespace {

struct Case {
  const char* name;
  std::string utf8;
  std::string cp932;
};

// Bytes that the texts of the tool depend on.
const Case kCases[] = {
    {"half-width middle dot", "･", "\xA5"},
    {"full-width open bracket", "［", "\x81\x6D"},
    {"ideographic space", "　", "\x81\x40"},
    {"half-width katakana", "ﾊﾞｰｼﾞｮﾝ", "\xCA\xDE\xB0\xBC\xDE\xAE\xDD"},
    {"prolonged sound mark", "ー", "\x81\x5B"},
    {"full-width letters", "ＭＳ", "\x82\x6C\x82\x72"},
    {"kanji with trail byte 0x5C", "表", "\x95\x5C"},
    {"ascii", "Q SWITCH", "Q SWITCH"},
    {"empty", "", ""},
};

TEST(Cp932, ConvertsBothWays) {
  for (const Case& c : kCases) {
    EXPECT_EQ(Utf8ToCp932(c.utf8), c.cp932) << c.name;
    EXPECT_EQ(Cp932ToUtf8(c.cp932), c.utf8) << c.name;
  }
}

TEST(Cp932, InvalidInputIsReplacedNotDropped) {
  const std::string replacement = "\xEF\xBF\xBD";
  // A lead byte at the end, a lead byte before a control byte, an unused byte.
  EXPECT_EQ(Cp932ToUtf8("A\x82"), "A" + replacement);
  EXPECT_EQ(Cp932ToUtf8("\x82\x0A"
                        "B"),
            replacement + "\nB");
  EXPECT_EQ(Cp932ToUtf8("\xFD"
                        "C"),
            replacement + "C");
  // Characters without a code page 932 form, and broken UTF-8.
  EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80z"), "a?z");
  EXPECT_EQ(Utf8ToCp932("a\xC3"), "a?");
  EXPECT_EQ(Utf8ToCp932("\xE3\x81z"), "?z");
}

}  // namespace
