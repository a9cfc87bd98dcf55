#include "IconFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

using FileBytes = std::vector<BYTE>;

void Put(FileBytes& b, size_t at, DWORD value, int nBytes) {
  for (int i = 0; i < nBytes; ++i) b[at + i] = static_cast<BYTE>(value >> (8 * i));
}

// An icon image: info header (height doubled), colour bits filled with the
// given byte, then a 1-bit mask.
FileBytes MakeImage(LONG nWidth, LONG nHeight, WORD nBitCount, BYTE byFill) {
  size_t nColour = static_cast<size_t>(CJVKBitmapBlock::Stride(nWidth, nBitCount) * nHeight);
  size_t nMask = static_cast<size_t>(CJVKBitmapBlock::Stride(nWidth, 1) * nHeight);
  FileBytes image(40 + nColour + nMask, 0);
  Put(image, 0, 40, 4);
  Put(image, 4, static_cast<DWORD>(nWidth), 4);
  Put(image, 8, static_cast<DWORD>(nHeight * 2), 4);
  Put(image, 12, 1, 2);
  Put(image, 14, nBitCount, 2);
  memset(image.data() + 40, byFill, nColour);
  return image;
}

struct Entry {
  BYTE width;
  WORD bitCount;
  FileBytes image;
};

FileBytes MakeFile(const std::vector<Entry>& entries) {
  FileBytes file(6 + 16 * entries.size(), 0);
  Put(file, 2, 1, 2);
  Put(file, 4, static_cast<DWORD>(entries.size()), 2);
  for (size_t i = 0; i < entries.size(); ++i) {
    size_t at = 6 + 16 * i;
    file[at] = entries[i].width;
    file[at + 1] = entries[i].width;
    Put(file, at + 6, entries[i].bitCount, 2);
    Put(file, at + 8, static_cast<DWORD>(entries[i].image.size()), 4);
    Put(file, at + 12, static_cast<DWORD>(file.size()), 4);
    file.insert(file.end(), entries[i].image.begin(), entries[i].image.end());
  }
  return file;
}

FileBytes SampleFile() {
  return MakeFile({{16, 24, MakeImage(16, 16, 24, 0x24)},
                   {16, 32, MakeImage(16, 16, 32, 0x16)},
                   {32, 32, MakeImage(32, 32, 32, 0x32)}});
}

TEST(IconFile, PicksTheFirst32BitEntryOfTheWidthAndKeepsOnlyTheColourPart) {
  struct Case {
    int width;
    LONG expectedWidth;
    BYTE fill;
  };
  const Case cases[] = {{16, 16, 0x16}, {32, 32, 0x32}, {0, 16, 0x16}};
  FileBytes file = SampleFile();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    CJVKBitmapBlock image;
    ASSERT_TRUE(JVKReadAlphaIconFile(file.data(), file.size(), c.width, image));
    EXPECT_EQ(c.expectedWidth, image.GetWidth());
    EXPECT_EQ(c.expectedWidth, image.GetHeight());  // halved: the mask is not kept
    EXPECT_EQ(32, image.GetBitCount());
    DWORD nImageSize;
    memcpy(&nImageSize, image.m_header + 20, 4);
    EXPECT_EQ(static_cast<DWORD>(c.expectedWidth * c.expectedWidth * 4), nImageSize);
    EXPECT_EQ(FileBytes(static_cast<size_t>(c.expectedWidth * c.expectedWidth * 4), c.fill), image.m_pixels);
  }
  CJVKBitmapBlock image;
  EXPECT_FALSE(JVKReadAlphaIconFile(file.data(), file.size(), 48, image));
}

TEST(IconFile, CorruptFilesAreRefused) {
  // Offsets into SampleFile: entry 1 (the 16-wide 32-bit one) at 22, its
  // image at 6 + 48 + size of image 0.
  const size_t image1 = 6 + 48 + MakeImage(16, 16, 24, 0).size();
  struct Case {
    const char* what;
    std::function<void(FileBytes&)> corrupt;
  };
  const Case cases[] = {
      {"count beyond the directory", [](FileBytes& b) { Put(b, 4, 0xFFFF, 2); }},
      {"offset beyond the file", [](FileBytes& b) { Put(b, 22 + 12, 0xFFFFFF00, 4); }},
      {"size beyond the file", [](FileBytes& b) { Put(b, 22 + 8, 0xFFFFFFF0, 4); }},
      {"size shorter than a header", [](FileBytes& b) { Put(b, 22 + 8, 39, 4); }},
      {"header size below 40", [&](FileBytes& b) { Put(b, image1, 12, 4); }},
      {"header size beyond the image", [&](FileBytes& b) { Put(b, image1, 0x7FFFFFFF, 4); }},
      {"width 0", [&](FileBytes& b) { Put(b, image1 + 4, 0, 4); }},
      {"negative width", [&](FileBytes& b) { Put(b, image1 + 4, 0xFFFFFFF0, 4); }},
      {"height 1 (nothing once halved)", [&](FileBytes& b) { Put(b, image1 + 8, 1, 4); }},
      {"height beyond the bound", [&](FileBytes& b) { Put(b, image1 + 8, 0x20000, 4); }},
      {"colour bits fewer than the header claims", [&](FileBytes& b) { Put(b, image1 + 4, 64, 4); }},
      {"image that is not 32-bit", [&](FileBytes& b) { Put(b, image1 + 14, 24, 2); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileBytes file = SampleFile();
    c.corrupt(file);
    CJVKBitmapBlock image;
    EXPECT_FALSE(JVKReadAlphaIconFile(file.data(), file.size(), 16, image));
    EXPECT_FALSE(image.m_bPresent);
  }
  CJVKBitmapBlock image;
  FileBytes file = SampleFile();
  EXPECT_FALSE(JVKReadAlphaIconFile(file.data(), 5, 0, image));
  EXPECT_FALSE(JVKReadAlphaIconFile(file.data(), image1 + 100, 0, image));  // image cut off
}

// A bitmap resource: header and bits, no mask.
FileBytes MakeBitmapResource(LONG nWidth, LONG nHeight, WORD nBitCount) {
  FileBytes image = MakeImage(nWidth, nHeight, nBitCount, 0x55);
  Put(image, 8, static_cast<DWORD>(nHeight), 4);
  image.resize(40 + static_cast<size_t>(CJVKBitmapBlock::Stride(nWidth, nBitCount) * nHeight));
  return image;
}

TEST(IconFile, BitmapResourceNeedsThirtyTwoBitsAndAllItsBits) {
  CJVKBitmapBlock image;
  FileBytes good = MakeBitmapResource(8, 4, 32);
  ASSERT_TRUE(JVKReadAlphaBitmapResource(good.data(), good.size(), image));
  EXPECT_EQ(8, image.GetWidth());
  EXPECT_EQ(4, image.GetHeight());
  EXPECT_EQ(FileBytes(8 * 4 * 4, 0x55), image.m_pixels);

  FileBytes short24 = MakeBitmapResource(8, 4, 24);
  EXPECT_FALSE(JVKReadAlphaBitmapResource(short24.data(), short24.size(), image));
  EXPECT_FALSE(JVKReadAlphaBitmapResource(good.data(), good.size() - 1, image));
  EXPECT_FALSE(JVKReadAlphaBitmapResource(good.data(), 39, image));
  FileBytes negative = good;
  Put(negative, 8, static_cast<DWORD>(-4), 4);
  EXPECT_FALSE(JVKReadAlphaBitmapResource(negative.data(), negative.size(), image));
  EXPECT_FALSE(image.m_bPresent);
}

TEST(IconFile, GroupIconCandidatesMatchBothBytesFromTheLastEntry) {
  // Entries: 16x16 id 1, 32x32 id 2, 16x16 id 3, 16x15 id 4.
  const BYTE sizes[][3] = {{16, 16, 1}, {32, 32, 2}, {16, 16, 3}, {16, 15, 4}};
  FileBytes group(6 + 14 * 4, 0);
  Put(group, 4, 4, 2);
  for (size_t i = 0; i < 4; ++i) {
    group[6 + 14 * i] = sizes[i][0];
    group[6 + 14 * i + 1] = sizes[i][1];
    Put(group, 6 + 14 * i + 12, sizes[i][2], 2);
  }
  EXPECT_EQ((std::vector<WORD>{3, 1}), JVKGroupIconCandidates(group.data(), group.size(), 16, 16));
  EXPECT_EQ((std::vector<WORD>{4}), JVKGroupIconCandidates(group.data(), group.size(), 16, 15));
  EXPECT_TRUE(JVKGroupIconCandidates(group.data(), group.size(), 24, 24).empty());
  // A count beyond the entries there are gives nothing.
  EXPECT_TRUE(JVKGroupIconCandidates(group.data(), group.size() - 1, 16, 16).empty());
  Put(group, 4, 0xFFFF, 2);
  EXPECT_TRUE(JVKGroupIconCandidates(group.data(), group.size(), 16, 16).empty());
}

}  // namespace
