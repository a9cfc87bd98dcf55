// harrier's rules that need no card, pure: the format a media file is played
// in, judged by the end of its name, the host's filter types as the card
// numbers them, and the picture's place on a screen or
// in the host's area (the largest 4:3 or 16:9 picture, centred).
#pragma once

// The card's file formats (the card library's _REC_PLAY_FILE_FORMAT).
enum HarrierFileFormat {
  kFileMpegAudio = 0,
  kFilePva = 1,
  kFilePvaReordered = 2,
  kFileProgramStream = 3,
};

// "pva" 2, "psv" 1, "mpg" or "mpeg" 3, "mp2" 0, anything else 2, by the end
// of the name in any case; a null name is anything else.
int MediaFileFormat(const char* fileName);

struct PictureRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PictureRect&) const = default;
};

// The picture in an area of width x height: the full width at the shape's
// height (9/16 or 3/4 of it), or, when the area is too low, the full height
// at the shape's width (single precision, as the card's driver computes it);
// centred, offsets below 0 taken as 0.
PictureRect FitPicture(int width, int height, bool wide);

// The host's filter type as the card numbers it: 0-2 unchanged, 5 becomes 3,
// 6 becomes 4, 10 becomes 5, anything else 0.
int HarrierFilterType(int hostType);
