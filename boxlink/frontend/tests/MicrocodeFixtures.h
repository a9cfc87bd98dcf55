// Synthetic microcode for the terrestrial demodulators, made by the tests:
// the real images are chip data, and the simulated chips run only what they
// were given, byte for byte.
#pragma once

#include <WinTypes.h>

#include <cstddef>
#include <vector>

// An opaque DSP image of `size` bytes (a leading byte the drivers do not
// send, then the program), different for each seed.
inline std::vector<BYTE> DspImage(size_t size, unsigned seed = 1) {
  std::vector<BYTE> image(size);
  unsigned x = seed * 2654435761u + 1;
  for (BYTE& b : image) {
    x = x * 1103515245u + 12345u;
    b = BYTE(x >> 16);
  }
  return image;
}

// The microcode file of the demodulator at 0xE2 ("Boot\sc_main.mc"), built
// section by section, with the faults a damaged file shows.
struct ScSection {
  WORD header;  // bit 15, kind in bits 13-14, load address
  std::vector<WORD> data;
  WORD check = 1;       // check flag
  int sumDelta = 0;     // added to the right checksum
  int lengthDelta = 0;  // added to the right length (past the file)
};

// The CRC as a shift register: each data bit enters at the bottom, MSB
// first; a one falling out of the top XORs 0x1021 in.
inline WORD ScCrc(const std::vector<WORD>& data) {
  WORD crc = 0;
  for (WORD w : data)
    for (int bit = 15; bit >= 0; --bit) {
      bool out = (crc & 0x8000) != 0;
      crc = WORD(crc << 1 | ((w >> bit) & 1));
      if (out) crc ^= 0x1021;
    }
  return crc;
}

inline std::vector<BYTE> WordBytes(const std::vector<WORD>& words) {
  std::vector<BYTE> bytes;
  for (WORD w : words) {
    bytes.push_back(BYTE(w >> 8));
    bytes.push_back(BYTE(w));
  }
  return bytes;
}

inline std::vector<BYTE> ScFile(const std::vector<ScSection>& sections, bool dropLastByte = false) {
  std::vector<WORD> words{WORD(sections.size())};
  for (const ScSection& s : sections) {
    words.push_back(s.header);
    words.push_back(WORD(int(s.data.size()) + s.lengthDelta));
    words.push_back(s.check);
    words.push_back(WORD(ScCrc(s.data) + s.sumDelta));
    words.insert(words.end(), s.data.begin(), s.data.end());
  }
  std::vector<BYTE> bytes = WordBytes(words);
  if (dropLastByte) bytes.pop_back();
  return bytes;
}

// A symbol record: type and multiplier, 12-bit address and offset, the
// characters taken from the previous name and the new ones.
inline void ScSymbol(std::vector<BYTE>& table, BYTE type, BYTE multiplier, WORD address, WORD offset, BYTE kept,
                     const char* fresh) {
  size_t n = 0;
  while (fresh[n]) ++n;
  table.push_back(BYTE(type << 4 | multiplier));
  table.push_back(BYTE(address >> 4));
  table.push_back(BYTE((address & 0xF) << 4 | offset >> 8));
  table.push_back(BYTE(offset));
  table.push_back(BYTE(n));
  table.push_back(kept);
  table.insert(table.end(), fresh, fresh + n);
}

// Bytes as the table's words, padded with a closing zero byte.
inline std::vector<WORD> ScWords(std::vector<BYTE> bytes) {
  if (bytes.size() % 2) bytes.push_back(0);
  std::vector<WORD> words;
  for (size_t i = 0; i < bytes.size(); i += 2) words.push_back(WORD(bytes[i] << 8 | bytes[i + 1]));
  return words;
}

inline std::vector<WORD> ScProgram(size_t words, unsigned seed = 1) {
  std::vector<BYTE> bytes = DspImage(words * 2, seed);
  return ScWords(bytes);
}

// A sound file: a symbol table of three records and a program of `words`
// words loaded at 0x0400.
inline std::vector<ScSection> ScSections(size_t words = 200) {
  std::vector<BYTE> table;
  ScSymbol(table, 1, 2, 0x100, 0x10, 0, "ofdm_start");
  ScSymbol(table, 2, 1, 0x200, 0x00, 5, "stop");
  ScSymbol(table, 0, 0, 0x000, 0x7FF, 0, "x");
  return {{0x4000, ScWords(table)}, {0x0400, ScProgram(words)}};
}
