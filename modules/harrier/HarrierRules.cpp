#include "HarrierRules.h"

#include <cctype>
#include <cstring>

namespace {

// One row per name ending, longest first where one ends another.
const struct {
  const char* ending;
  int format;
} kFormats[] = {
    {"pva", kFilePvaReordered},
    {"psv", kFilePva},
    {"mpeg", kFileProgramStream},
    {"mpg", kFileProgramStream},
    {"mp2", kFileMpegAudio},
};

// Host filter type -> the card's.
const struct {
  int host, card;
} kFilterTypes[] = {{0, 0}, {1, 1}, {2, 2}, {5, 3}, {6, 4}, {10, 5}};

bool EndsWith(const char* name, size_t length, const char* ending) {
  const size_t n = std::strlen(ending);
  if (n > length) return false;
  for (size_t i = 0; i < n; ++i)
    if (std::tolower(static_cast<unsigned char>(name[length - n + i])) != ending[i]) return false;
  return true;
}

}  // namespace

int MediaFileFormat(const char* fileName) {
  if (!fileName) return kFilePvaReordered;
  const size_t length = std::strlen(fileName);
  for (const auto& row : kFormats)
    if (EndsWith(fileName, length, row.ending)) return row.format;
  return kFilePvaReordered;
}

PictureRect FitPicture(int width, int height, bool wide) {
  PictureRect r;
  r.width = width;
  r.height = static_cast<int>(width * (wide ? 0.5625 : 0.75));
  if (height < r.height) {
    const float h = static_cast<float>(height);
    r.width = static_cast<int>(wide ? h * 16.0f / 9.0f : h * 4.0f / 3.0f);
    r.height = height;
  }
  r.x = (width - r.width) / 2;
  r.y = (height - r.height) / 2;
  if (r.x < 0) r.x = 0;
  if (r.y < 0) r.y = 0;
  return r;
}

int HarrierFilterType(int hostType) {
  for (const auto& row : kFilterTypes)
    if (row.host == hostType) return row.card;
  return 0;
}
