// The 172-byte channel record and the 12-byte header of a channel-list file.
// Both are stored in files exactly as laid out here (little-endian). Every
// field lies at its natural alignment and the gaps are explicit padding
// fields, so the layout is the same on every x86 compiler without packing
// (and references to fields stay aligned); static_asserts pin every offset.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "list records are read and written as little-endian memory images");

struct DVB_CHANNELS {
  char signature[8];   // "QLON3.0"
  char subVersion[2];  // "1" once read from a file or converted
  uint8_t reserved10[14];
  char channelName[32];      // at most 31 characters and a NUL
  char transponderName[32];  // at most 31 characters and a NUL
  uint8_t itemType;          // 0 provider, 1 channel
  uint8_t serviceKind;       // 1 TV, 2 Radio, 0 as the provider above it
  uint8_t padding90[2];
  uint32_t frequency;  // kHz for DVB-S, Hz for DVB-C and DVB-T
  uint32_t symbolRate;
  uint16_t videoPid;
  uint16_t audioPid;
  uint16_t teletextPid;
  uint16_t pcrPid;
  uint16_t pmtPid;
  uint16_t ac3Pid;
  uint8_t flagA;
  uint8_t bandwidth;
  uint16_t subtitlePage;
  uint16_t h264VideoPid;
  uint16_t caIds[8];
  uint8_t padding134[2];
  uint32_t pinNeeded;
  uint16_t extraAudioPids[4];
  uint8_t rotor;
  uint8_t satelliteIndex;  // 255: no satellite
  uint8_t audioMode;
  uint8_t spectralInversion;
  uint8_t qam;
  uint8_t fec;
  uint8_t reserved154;
  uint8_t polarisation;
  uint8_t lnb;  // 0 to 100
  uint8_t padding157;
  uint16_t videoSource;
  uint16_t serviceId;
  uint16_t transportStreamId;
  uint16_t networkId;
  uint16_t scrambled;
  uint8_t signalType;
  uint8_t flagB;
  uint8_t padding170[2];
};

// Header of a ".qcx" file: the records that follow number the sum of the three.
struct DVB_CHANNEL_HEADER {
  uint32_t tvCount;
  uint32_t radioCount;
  uint32_t thirdCount;  // written 0
};

static_assert(sizeof(DVB_CHANNELS) == 172);
static_assert(offsetof(DVB_CHANNELS, signature) == 0);
static_assert(offsetof(DVB_CHANNELS, subVersion) == 8);
static_assert(offsetof(DVB_CHANNELS, reserved10) == 10);
static_assert(offsetof(DVB_CHANNELS, channelName) == 24);
static_assert(offsetof(DVB_CHANNELS, transponderName) == 56);
static_assert(offsetof(DVB_CHANNELS, itemType) == 88);
static_assert(offsetof(DVB_CHANNELS, serviceKind) == 89);
static_assert(offsetof(DVB_CHANNELS, padding90) == 90);
static_assert(offsetof(DVB_CHANNELS, frequency) == 92);
static_assert(offsetof(DVB_CHANNELS, symbolRate) == 96);
static_assert(offsetof(DVB_CHANNELS, videoPid) == 100);
static_assert(offsetof(DVB_CHANNELS, audioPid) == 102);
static_assert(offsetof(DVB_CHANNELS, teletextPid) == 104);
static_assert(offsetof(DVB_CHANNELS, pcrPid) == 106);
static_assert(offsetof(DVB_CHANNELS, pmtPid) == 108);
static_assert(offsetof(DVB_CHANNELS, ac3Pid) == 110);
static_assert(offsetof(DVB_CHANNELS, flagA) == 112);
static_assert(offsetof(DVB_CHANNELS, bandwidth) == 113);
static_assert(offsetof(DVB_CHANNELS, subtitlePage) == 114);
static_assert(offsetof(DVB_CHANNELS, h264VideoPid) == 116);
static_assert(offsetof(DVB_CHANNELS, caIds) == 118);
static_assert(offsetof(DVB_CHANNELS, padding134) == 134);
static_assert(offsetof(DVB_CHANNELS, pinNeeded) == 136);
static_assert(offsetof(DVB_CHANNELS, extraAudioPids) == 140);
static_assert(offsetof(DVB_CHANNELS, rotor) == 148);
static_assert(offsetof(DVB_CHANNELS, satelliteIndex) == 149);
static_assert(offsetof(DVB_CHANNELS, audioMode) == 150);
static_assert(offsetof(DVB_CHANNELS, spectralInversion) == 151);
static_assert(offsetof(DVB_CHANNELS, qam) == 152);
static_assert(offsetof(DVB_CHANNELS, fec) == 153);
static_assert(offsetof(DVB_CHANNELS, reserved154) == 154);
static_assert(offsetof(DVB_CHANNELS, polarisation) == 155);
static_assert(offsetof(DVB_CHANNELS, lnb) == 156);
static_assert(offsetof(DVB_CHANNELS, padding157) == 157);
static_assert(offsetof(DVB_CHANNELS, videoSource) == 158);
static_assert(offsetof(DVB_CHANNELS, serviceId) == 160);
static_assert(offsetof(DVB_CHANNELS, transportStreamId) == 162);
static_assert(offsetof(DVB_CHANNELS, networkId) == 164);
static_assert(offsetof(DVB_CHANNELS, scrambled) == 166);
static_assert(offsetof(DVB_CHANNELS, signalType) == 168);
static_assert(offsetof(DVB_CHANNELS, flagB) == 169);
static_assert(offsetof(DVB_CHANNELS, padding170) == 170);

static_assert(sizeof(DVB_CHANNEL_HEADER) == 12);
static_assert(offsetof(DVB_CHANNEL_HEADER, tvCount) == 0);
static_assert(offsetof(DVB_CHANNEL_HEADER, radioCount) == 4);
static_assert(offsetof(DVB_CHANNEL_HEADER, thirdCount) == 8);
