#include "save/text_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace vsl {
namespace {

// The block scans against the plain ones on random texts: characters among which zeros, markup and
// technology names are frequent, both widths, images that end at the text or run on behind it.
TEST(TextScanTest, BlockScansMatchThePlainOnesOnRandomTexts) {
  std::mt19937 random(20261209);
  const std::string alphabet = std::string("ab<>\0 Ox", 8) + "Writing" + "Iron Working";
  for (int round = 0; round < 3000; ++round) {
    const size_t count = random() % 70;
    const size_t step = 1 + random() % 2;
    std::vector<uint8_t> chars(step * count + random() % 40);
    for (uint8_t& c : chars) c = static_cast<uint8_t>(alphabet[random() % alphabet.size()]);
    for (bool cutMarkup : {false, true}) {
      std::string fast(count + 16, '?'), plain(count, '?');
      fast.resize(CopyTextChars(chars.data(), count, step, chars.size(), cutMarkup, fast.data()));
      plain.resize(CopyTextCharsPlain(chars.data(), count, step, cutMarkup, plain.data()));
      ASSERT_EQ(fast, plain) << round;
    }
    const std::string text(chars.begin(), chars.end());
    std::vector<uint8_t> fast, plain;
    TechNames().Named(text, fast);
    TechNames().NamedPlain(text, plain);
    ASSERT_EQ(fast, plain) << round;
  }
  std::vector<uint8_t> found;
  TechNames().Named("You have discovered Iron Working!", found);
  EXPECT_FALSE(found.empty());
}

}  // namespace
}  // namespace vsl
