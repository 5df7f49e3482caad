#include "save/text.h"

#include <gtest/gtest.h>

#include <string>

namespace vsl {
namespace {

TEST(TextTest, CutMacrosDropsMarkupSpans) {
  EXPECT_EQ(CutMacros("a<b>c<d"), "ac");  // an unclosed '<' drops the rest
  EXPECT_EQ(CutMacros("a>b"), "a>b");     // a '>' outside a span stays
  EXPECT_EQ(CutMacros("<color=255,0,0>Optics</color> learned"), "Optics learned");
  EXPECT_EQ(CutMacros(""), "");
  EXPECT_EQ(CutMacros(std::string(1023, 'x')), std::string(1023, 'x'));
  EXPECT_EQ(CutMacros(std::string(1024, 'x')), "");
}

TEST(TextTest, CutMacrosInPlaceMatchesCutMacros) {
  for (std::string text : {"a<b>c<d", "a>b", "<x>", "plain", "<<a>>b", ""}) {
    std::string inPlace = text;
    CutMacrosInPlace(inPlace);
    EXPECT_EQ(inPlace, CutMacros(text)) << text;
  }
}

TEST(TextTest, CharLowCaseTouchesOnlyAsciiCapitals) {
  EXPECT_EQ(CharLowCase('A'), 'a');
  EXPECT_EQ(CharLowCase('Z'), 'z');
  EXPECT_EQ(CharLowCase('a'), 'a');
  EXPECT_EQ(CharLowCase('_'), '_');
  EXPECT_EQ(CharLowCase('\xC0'), '\xC0');  // no code page
}

TEST(TextTest, CutTextKeyDropsTheKeyAndRecasesWords) {
  const std::string key = "TXT_KEY_CITY_NAME_";
  EXPECT_EQ(CutTextKey("TXT_KEY_CITY_NAME_NEW_TOWN", key), "New Town");
  EXPECT_EQ(CutTextKey("TXT_KEY_CITY_NAME_ROME", key), "Rome");
  // The first character and those after an underscore keep their case, lower case included.
  EXPECT_EQ(CutTextKey(key + "AB_cD", key), "Ab cd");
}

TEST(TextTest, CutTextKeyLeavesOtherTextsUnchanged) {
  const std::string key = "TXT_KEY_CITY_NAME_";
  EXPECT_EQ(CutTextKey("My_Town", key), "My_Town");                                // no key
  EXPECT_EQ(CutTextKey(key, key), key);                                            // not longer than the key
  EXPECT_EQ(CutTextKey("txt_key_city_name_ROME", key), "txt_key_city_name_ROME");  // case matters
  EXPECT_EQ(CutTextKey("", key), "");
  const std::string longText = key + std::string(1006, 'A');  // 1024 characters
  EXPECT_EQ(CutTextKey(longText, key), longText);
  // The key anywhere counts, but the first key-length characters are dropped.
  EXPECT_EQ(CutTextKey("XXXXXXXXXXXXXXXXXXTXT_KEY_CITY_NAME_", key), "Txt Key City Name ");
}

}  // namespace
}  // namespace vsl
