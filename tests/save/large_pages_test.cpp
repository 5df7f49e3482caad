#include "save/large_pages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "save/container.h"
#include "record/save_record.h"
#include "support/row_text.h"
#include "support/save_writer.h"

namespace vsl {
namespace {

constexpr size_t kLargePage = size_t{2} << 20;

TEST(LargePagesTest, LargeBlocksStartOnALargePageAndSmallOnesWork) {
  ImageBytes large(3 * kLargePage + 5);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(large.data()) % kLargePage, 0u);
  large.back() = 7;
  ImageBytes small(100);
  small.front() = 1;
  small.back() = 2;
  // Growing from a small block to a large one and back keeps the bytes, as a vector does.
  for (size_t i = 0; i < small.size(); ++i) small[i] = static_cast<uint8_t>(i);
  small.resize(kLargePage + 1);
  small.resize(50);
  small.shrink_to_fit();
  for (size_t i = 0; i < small.size(); ++i) ASSERT_EQ(small[i], i);
}

// The allocator constructs a class with its default constructor, not by clearing memory: a row made
// in memory full of other bytes must still come out as an empty row, every field included.
TEST(LargePagesTest, ARowMadeInUsedMemoryIsAnEmptyRow) {
  LargePageAllocator<TSaveDataRec> allocator;
  TSaveDataRec* row = allocator.allocate(1);
  std::memset(static_cast<void*>(row), 0xAB, sizeof *row);
  allocator.construct(row);
  EXPECT_EQ(testing::RowText(*row), testing::RowText(TSaveDataRec{}));
  row->~TSaveDataRec();
  allocator.deallocate(row, 1);
}

// A buffer that held a larger image is reused for a smaller one and the other way round; every byte
// of the new image is the new file's.
TEST(LargePagesTest, AReusedImageBufferHoldsOnlyTheNewFile) {
  const std::vector<uint8_t> bigBody(3 * kLargePage, 0x5A);
  const std::vector<uint8_t> smallBody = testing::SaveWriter().IntList({1, 2, 3}).Take();
  const std::vector<uint8_t> big = testing::MakeContainer(std::vector<uint8_t>(8, 1), bigBody);
  const std::vector<uint8_t> small = testing::MakeContainer(std::vector<uint8_t>(8, 2), smallBody);
  UnwrappedSave reused;
  for (const auto* file : {&small, &big, &small, &big}) {
    Unwrap(*file, reused);
    const UnwrappedSave fresh = Unwrap(*file);
    ASSERT_EQ(reused.BodyOffset, fresh.BodyOffset);
    ASSERT_TRUE(reused.Image == fresh.Image);
  }
}

}  // namespace
}  // namespace vsl
