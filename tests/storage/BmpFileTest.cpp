#include "storage/BmpFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "tests/support/TempFolder.h"

namespace {

std::uint32_t Read32(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{static_cast<unsigned char>(bytes[offset + i])} << (8 * i);
  return value;
}

TEST(BmpFile, PageSizedImageHasTheExactSizesAndHeader) {
  const std::string bytes = BmpFileBytes(2100, 2975, std::vector<std::int32_t>(2100 * 2975, 0xFFFFFF));
  ASSERT_EQ(bytes.size(), 18742554u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(Read32(bytes, 2), 18742554u);
  EXPECT_EQ(Read32(bytes, 6), 0u);
  EXPECT_EQ(Read32(bytes, 10), 54u);
  EXPECT_EQ(Read32(bytes, 14), 40u);
  EXPECT_EQ(Read32(bytes, 18), 2100u);
  EXPECT_EQ(Read32(bytes, 22), 2975u);
  EXPECT_EQ(Read32(bytes, 26), 1u | (24u << 16));  // planes 1, 24 bits per pixel
  EXPECT_EQ(Read32(bytes, 30), 0u);
  EXPECT_EQ(Read32(bytes, 34), 18742500u);
  for (std::size_t offset : {38u, 42u, 46u, 50u}) EXPECT_EQ(Read32(bytes, offset), 0u);
}

TEST(BmpFile, RowsRunBottomUpInBlueGreenRedWithZeroPadding) {
  // 5 pixels wide: 15 bytes of pixels and 1 byte of padding per row.
  // The top row red, the bottom one 0x030201 times x.
  const std::vector<std::int32_t> colours{0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF,
                                          0,        0x030201, 0x060402, 0x090603, 0x0C0804};
  const std::string bytes = BmpFileBytes(5, 2, colours);
  ASSERT_EQ(bytes.size(), 54u + 2 * 16);
  EXPECT_EQ(Read32(bytes, 34), 32u);
  const std::string bottomRow = bytes.substr(54, 16);
  EXPECT_EQ(bottomRow.substr(3, 3), std::string("\x03\x02\x01", 3)) << "pixel (1, 1): 0x030201 as blue, green, red";
  EXPECT_EQ(bottomRow[15], '\0');
  const std::string topRow = bytes.substr(70, 16);
  EXPECT_EQ(topRow.substr(0, 3), std::string("\x00\x00\xFF", 3)) << "red (0xBBGGRR 0x0000FF) stored last";
}

TEST(BmpFile, SaveWritesTheBytesOrNothing) {
  TempFolder folder;
  const std::vector<std::int32_t> white(9, 0xFFFFFF);
  ASSERT_TRUE(SaveBmpFile(folder.Path("page.bmp"), 3, 3, white));
  std::ifstream in(folder.Path("page.bmp"), std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(written, BmpFileBytes(3, 3, white));
  EXPECT_FALSE(SaveBmpFile(folder.Path("missing/page.bmp"), 3, 3, white));
  EXPECT_FALSE(SaveBmpFile(folder.Path("short.bmp"), 3, 4, white)) << "fewer colours than pixels";
  EXPECT_FALSE(std::filesystem::exists(folder.Path("short.bmp")));
}

}  // namespace
