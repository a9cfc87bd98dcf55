// The packets of a PES file for the stand-in's stream thread: a file of PES
// packets one after the other, or an MPEG-2 program stream (pack and system
// headers are skipped). Audio, video and private stream 1 packets are kept,
// each with its PTS when it carries one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PesFilePacket {
  std::vector<uint8_t> bytes;
  bool hasPts = false;
  uint64_t pts = 0;  // 90 kHz
};

// Splits bytes into packets; stops at the first thing that is no packet and
// sets error to where.
std::vector<PesFilePacket> SplitPesStream(const std::vector<uint8_t>& bytes, std::string* error);
bool ReadPesFile(const std::string& path, std::vector<PesFilePacket>* packets, std::string* error);
