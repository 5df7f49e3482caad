#include "save/container.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <chrono>
#include <string>
#include <vector>

#include "save/save_error.h"
#include "support/load_helpers.h"
#include "support/save_writer.h"

namespace vsl {
namespace {

using testing::ContainerOptions;
using testing::Deflate;
using ::testing::ElementsAreArray;
using testing::MakeContainer;
using testing::SaveWriter;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

// A body that compresses but is not one repeated byte: a wrong offset shows in the compare.
std::vector<uint8_t> PatternBody(size_t size) {
  std::vector<uint8_t> body(size);
  uint32_t x = 12345;
  for (size_t i = 0; i < size; ++i) {
    x = x * 1103515245u + 12345u;
    body[i] = static_cast<uint8_t>((x >> 16) % 7 + 'a');
  }
  return body;
}

// 20 header bytes without a 78 byte, so the real stream is the first 78 9C pair.
std::vector<uint8_t> Header() {
  return SaveWriter().IntList({1, 2, 3, 4, 5}).Take();
}

std::span<const uint8_t> Slice(std::span<const uint8_t> v, size_t from, size_t count) {
  return std::span<const uint8_t>(v).subspan(from, count);
}

void ExpectUnwrapError(const std::vector<uint8_t>& file, const std::string& message) {
  EXPECT_THAT([&] { testing::Unwrapped(file); }, ThrowsMessage<SaveError>(StrEq(message)));
}

TEST(ContainerTest, FindBodyOffsetTakesTheFirstPairUpToFourBytesBeforeTheEnd) {
  EXPECT_EQ(FindBodyOffset({}), -1);
  EXPECT_EQ(FindBodyOffset(std::vector<uint8_t>{0x78, 0x9C, 0}), -1);  // shorter than 4 bytes
  EXPECT_EQ(FindBodyOffset(std::vector<uint8_t>{0x78, 0x9C, 0, 0}), 0);
  EXPECT_EQ(FindBodyOffset(std::vector<uint8_t>{0x78, 0x78, 0x9C, 0, 0}), 1);
  EXPECT_EQ(FindBodyOffset(std::vector<uint8_t>{0x9C, 0x78, 0x00, 0x78, 0x9C, 0x78, 0x9C, 0, 0}), 3);
  // A pair starting in the last three bytes is not looked at.
  EXPECT_EQ(FindBodyOffset(std::vector<uint8_t>{0, 0, 0x78, 0x9C, 0}), -1);
  EXPECT_EQ(FindBodyOffset(std::vector<uint8_t>{0, 0x78, 0x9C, 0, 0}), 1);
}

TEST(ContainerTest, SplicesHeaderMarkerBodyAndTrailer) {
  const std::vector<uint8_t> header = Header();
  const std::vector<uint8_t> body = PatternBody(5000);
  const std::vector<uint8_t> trailer = Bytes("TRAILER");
  const std::vector<uint8_t> file = MakeContainer(header, body, {.trailer = trailer});
  const size_t compressed = Deflate(body).size();

  const UnwrappedSave save = testing::Unwrapped(file);
  ASSERT_EQ(save.BodyOffset, 28);
  ASSERT_EQ(save.Image.size(), file.size() - compressed + body.size());
  // Header and the inflated-size field unchanged, so header offsets are the same in file and image.
  EXPECT_THAT(Slice(save.Image, 0, 24), ElementsAreArray(Slice(file, 0, 24)));
  EXPECT_THAT(Slice(save.Image, 24, 4), ElementsAreArray(Bytes("BODY")));
  EXPECT_THAT(Slice(save.Image, 28, body.size()), ElementsAreArray(body));
  EXPECT_THAT(Slice(save.Image, 28 + body.size(), trailer.size()), ElementsAreArray(trailer));
}

TEST(ContainerTest, StreamEndingAtTheEndOfTheFileLeavesNoTrailer) {
  const std::vector<uint8_t> body = Bytes("game section");
  const UnwrappedSave save = testing::Unwrapped(MakeContainer(Header(), body));
  ASSERT_EQ(save.Image.size(), 28 + body.size());
  EXPECT_THAT(Slice(save.Image, 28, body.size()), ElementsAreArray(body));
}

TEST(ContainerTest, FirstPairDecidesEvenInsideTheHeader) {
  // The header itself holds a complete container at offset 8: sizes, then a 78 9C stream of its own.
  const std::vector<uint8_t> decoy = Bytes("decoy");
  const std::vector<uint8_t> decoyStream = Deflate(decoy);
  const std::vector<uint8_t> header = SaveWriter()
                                          .Int(static_cast<int32_t>(decoy.size()))
                                          .Int(static_cast<int32_t>(decoyStream.size()))
                                          .Raw(decoyStream)
                                          .Take();
  const std::vector<uint8_t> file = MakeContainer(header, Bytes("real body"));

  const UnwrappedSave save = testing::Unwrapped(file);
  EXPECT_EQ(save.BodyOffset, 8);
  EXPECT_THAT(Slice(save.Image, 8, decoy.size()), ElementsAreArray(decoy));
  // Everything after the decoy stream, the real container included, is the trailer.
  const size_t trailerFrom = 8 + decoyStream.size();
  EXPECT_THAT(Slice(save.Image, 8 + decoy.size(), file.size() - trailerFrom),
              ElementsAreArray(Slice(file, trailerFrom, file.size() - trailerFrom)));
}

TEST(ContainerTest, FileWithoutABodyAtOffsetEightOrLaterIsRefused) {
  ExpectUnwrapError({}, "no compressed body found");
  ExpectUnwrapError({1, 2, 3}, "no compressed body found");
  ExpectUnwrapError(Header(), "no compressed body found");
  // A pair too early for the two size fields decides all the same: a later stream is not looked for.
  std::vector<uint8_t> early = {0, 0, 0, 0x78, 0x9C};
  const std::vector<uint8_t> real = MakeContainer(Header(), Bytes("body"));
  early.insert(early.end(), real.begin(), real.end());
  ExpectUnwrapError(early,
                    "no compressed body found: the first 78 9C pair is at offset 3, before room for the size "
                    "fields");
}

TEST(ContainerTest, StatedSizesThatCannotHoldAreRefused) {
  const std::vector<uint8_t> body = Bytes("body");
  const int32_t compressed = static_cast<int32_t>(Deflate(body).size());
  ExpectUnwrapError(MakeContainer(Header(), body, {.inflatedSize = -1}),
                    "the stated body size -1 is out of range (0 to 268435456 bytes)");
  ExpectUnwrapError(MakeContainer(Header(), body, {.inflatedSize = (1 << 28) + 1}),
                    "the stated body size 268435457 is out of range (0 to 268435456 bytes)");
  ExpectUnwrapError(MakeContainer(Header(), body, {.compressedSize = -1}),
                    "the stated compressed size -1 does not fit the " + std::to_string(compressed) +
                        " bytes from offset 28 to the end of the file");
  ExpectUnwrapError(MakeContainer(Header(), body, {.compressedSize = compressed + 1}),
                    "the stated compressed size " + std::to_string(compressed + 1) + " does not fit the " +
                        std::to_string(compressed) + " bytes from offset 28 to the end of the file");
  // A file too large to be a save is refused before anything is searched or allocated.
  ExpectUnwrapError(std::vector<uint8_t>(static_cast<size_t>(kMaxSaveFileBytes) + 1),
                    "the file is too large: 67108865 bytes, a save has at most 67108864");
}

TEST(ContainerTest, BytesBeyondTheStatedSizeAreDroppedAndTheTrailerFollows) {
  // Large enough that the surplus passes through several rounds of the streaming inflate.
  const std::vector<uint8_t> body = PatternBody(300000);
  const std::vector<uint8_t> trailer = Bytes("END");
  for (int32_t stated : {0, 1, 299999}) {
    const UnwrappedSave save =
        testing::Unwrapped(MakeContainer(Header(), body, {.inflatedSize = stated, .trailer = trailer}));
    ASSERT_EQ(save.Image.size(), 28u + static_cast<size_t>(stated) + trailer.size()) << stated;
    EXPECT_THAT(Slice(save.Image, 28, static_cast<size_t>(stated)), ElementsAreArray(Slice(body, 0, stated)));
    EXPECT_THAT(Slice(save.Image, 28 + static_cast<size_t>(stated), 3), ElementsAreArray(trailer)) << stated;
  }

  // The surplus is bounded at 1 MiB exactly: one byte more is refused.
  const std::vector<uint8_t> mebibytePlusOne = PatternBody((1 << 20) + 1);
  EXPECT_EQ(testing::Unwrapped(MakeContainer(Header(), mebibytePlusOne, {.inflatedSize = 1})).Image.size(),
            29u);
  ExpectUnwrapError(MakeContainer(Header(), mebibytePlusOne, {.inflatedSize = 0}),
                    "the compressed body holds more than the 0 bytes it states");

  // A stream that goes on yielding (4 GiB of zeros behind a stated 1000 bytes) is damaged, and is
  // not inflated to its end.
  z_stream z{};
  ASSERT_EQ(deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY), Z_OK);
  std::vector<uint8_t> zeros(1 << 20), mebibyte(1 << 16);
  z.next_in = zeros.data();
  z.avail_in = static_cast<uInt>(zeros.size());
  z.next_out = mebibyte.data();
  z.avail_out = static_cast<uInt>(mebibyte.size());
  ASSERT_EQ(deflate(&z, Z_FULL_FLUSH), Z_OK);
  mebibyte.resize(mebibyte.size() - z.avail_out);
  deflateEnd(&z);
  std::vector<uint8_t> stream = {0x78, 0x9C};
  for (int i = 0; i < 4096; ++i) stream.insert(stream.end(), mebibyte.begin(), mebibyte.end());
  const auto file =
      SaveWriter().Raw(Header()).Int(1000).Int(static_cast<int32_t>(stream.size())).Raw(stream).Take();
  const auto start = std::chrono::steady_clock::now();
  ExpectUnwrapError(file, "the compressed body holds more than the 1000 bytes it states");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(ContainerTest, StreamShorterThanTheStatedSizeIsRefused) {
  const std::vector<uint8_t> body = PatternBody(1000);
  ExpectUnwrapError(MakeContainer(Header(), body, {.inflatedSize = 1005}),
                    "the body inflates to 1000 bytes, the header says 1005");
  std::vector<uint8_t> out(1001);
  EXPECT_THAT([&] { InflateBody(Deflate(body), out); },
              ThrowsMessage<SaveError>(StrEq("the body inflates to 1000 bytes, the header says 1001")));
}

TEST(ContainerTest, DamagedStreamsCarryZlibsText) {
  const std::vector<uint8_t> body = PatternBody(1000);
  const std::vector<uint8_t> good = MakeContainer(Header(), body);
  const size_t streamEnd = good.size();

  std::vector<uint8_t> badCheck = good;  // the Adler-32 checksum closes the stream
  badCheck[streamEnd - 1] ^= 0xFF;
  ExpectUnwrapError(badCheck, "the compressed body is damaged (zlib: data error)");

  std::vector<uint8_t> badBlock = good;  // first block header: final block of the reserved type 3
  badBlock[30] = 0x07;
  ExpectUnwrapError(badBlock, "the compressed body is damaged (zlib: data error)");

  // A stream cut short: the stated compressed size ends six bytes early, those bytes become trailer.
  const int32_t compressed = static_cast<int32_t>(Deflate(body).size());
  ExpectUnwrapError(MakeContainer(Header(), body, {.compressedSize = compressed - 6}),
                    "the compressed body is cut short (zlib: buffer error)");
  // No compressed bytes at all cannot yield the stated body.
  ExpectUnwrapError(MakeContainer(Header(), body, {.compressedSize = 0}),
                    "the stated body size 1000 cannot come from 0 compressed bytes");
}

// A buffer that held a larger image is reused for a smaller one and the other way round; every byte
// of the new image is the new file's, also where a large block grew without zeroing.
TEST(ContainerTest, AReusedImageBufferHoldsOnlyTheNewFile) {
  const std::vector<uint8_t> big = MakeContainer(Header(), PatternBody(3000000));
  const std::vector<uint8_t> small = MakeContainer(std::vector<uint8_t>(8, 2), Bytes("small"));
  UnwrappedSave reused;
  for (const auto* file : {&small, &big, &small, &big}) {
    Unwrap(*file, reused);
    const UnwrappedSave fresh = testing::Unwrapped(*file);
    ASSERT_EQ(reused.BodyOffset, fresh.BodyOffset);
    ASSERT_TRUE(reused.Image == fresh.Image);
  }
  if constexpr (kMapLargeBlocks) {
    EXPECT_EQ(reinterpret_cast<uintptr_t>(reused.Image.data()) % (2 << 20), 0u);
  }
}

}  // namespace
}  // namespace vsl
