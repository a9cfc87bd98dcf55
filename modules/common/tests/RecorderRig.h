// A host for the recorder in tests: captures the log lines and the packets
// handed to the PES tap, and builds transport packets around PES bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CapturedLog.h"
#include "DVBRecorder.h"
#include "PesTemplates.h"

using Bytes = std::vector<uint8_t>;

struct RecorderRig {
  // The tap and the log have no context argument: one rig at a time.
  static inline std::vector<Bytes> delivered;
  static inline std::vector<std::string>& log = CapturedLog::lines;

  static int __cdecl Tap(const BYTE* data, int length) {
    delivered.emplace_back(data, data + length);
    return 0;
  }

  explicit RecorderRig(RecorderModule module = RecorderModule::kestrel) : recorder(host, module) {
    delivered.clear();
    log.clear();
    std::memset(&status, 0, sizeof(status));
    status.m_pfnPESCallback = &Tap;
    status.m_bPESCallback = 1;
    host.m_pfnLog = &CapturedLog::Log;
    host.m_pStatus = &status;
  }

  // Feeds each 188-byte packet as a block of its own.
  void Feed(int type, const Bytes& ts) {
    for (size_t i = 0; i + 188 <= ts.size(); i += 188) recorder.OnStreamData(type, ts.data() + i, 188);
  }

  size_t LogCount(const std::string& part) const {
    size_t n = 0;
    for (const std::string& line : log) n += line.find(part) != std::string::npos;
    return n;
  }

  MODULE_STATUS status;
  ModuleHostLink host;
  CDVBRecorder recorder;
};

// The payload split into transport packets; the last one is filled up with
// adaptation-field stuffing so that exactly the given bytes are carried.
// The first packet carries at most `first` bytes.
inline Bytes Packetise(const Bytes& payload, uint16_t pid = 0x100, size_t first = 184) {
  Bytes ts;
  for (size_t at = 0, n = 0; at < payload.size(); at += n) {
    n = std::min<size_t>(at == 0 ? first : 184, payload.size() - at);
    Bytes packet = {0x47, static_cast<uint8_t>(pid >> 8 | (at == 0 ? 0x40 : 0)), static_cast<uint8_t>(pid), 0x10};
    if (n < 184) {
      packet[3] = 0x30;
      const size_t adaptation = 184 - n - 1;  // length byte, then flags and stuffing
      packet.push_back(static_cast<uint8_t>(adaptation));
      if (adaptation > 0) packet.push_back(0x00);
      for (size_t i = 1; i < adaptation; ++i) packet.push_back(0xFF);
    }
    packet.insert(packet.end(), payload.begin() + at, payload.begin() + at + n);
    ts.insert(ts.end(), packet.begin(), packet.end());
  }
  return ts;
}

// A PES packet of `size` bytes: id, length field, a 9-byte header with a
// PTS (so header data length 5) and payload bytes counting from `fill`.
inline Bytes Pes(uint8_t id, size_t size, uint16_t lengthField, uint8_t fill = 0x10) {
  Bytes p = {0x00,
             0x00,
             0x01,
             id,
             static_cast<uint8_t>(lengthField >> 8),
             static_cast<uint8_t>(lengthField),
             0x80,
             0x80,
             0x05,
             0x21,
             0x00,
             0x01,
             0x00,
             0x01};
  for (size_t i = p.size(); i < size; ++i) p.push_back(static_cast<uint8_t>(fill + i % 7));
  return p;
}

inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& b : parts) all.insert(all.end(), b.begin(), b.end());
  return all;
}

// What the tap receives for one PES packet: the pack header, then the packet.
inline Bytes Delivered(const Bytes& pes) {
  Bytes d(kPackHeaderTemplate, kPackHeaderTemplate + sizeof(kPackHeaderTemplate));
  d.insert(d.end(), pes.begin(), pes.end());
  return d;
}

inline Bytes WithLength(Bytes pes, size_t length) {
  pes[4] = static_cast<uint8_t>(length >> 8);
  pes[5] = static_cast<uint8_t>(length);
  return pes;
}
