// One 64-byte record of a Zenk4 ".dvb" list. Its 16-bit words are big-endian
// in the file; SwapZenk4Record turns them into host order after reading.
#pragma once

#include <cstddef>
#include <cstdint>

struct Zenk4Record {
  char magic[4];  // "DVSO", not checked on read
  uint16_t serviceId;
  uint16_t pmtPid;
  uint16_t frequencyMHz;  // 0 marks a provider
  uint16_t symbolRateK;   // kilo-symbols per second
  uint8_t fec;
  uint8_t zero13;
  uint8_t polarisation;
  uint8_t lnb;  // 0 to 3
  uint16_t videoPid;
  uint16_t audioPid;
  uint16_t pcrPid;
  uint16_t scrambledMarker;  // file bytes 0x01 0xFF when scrambled
  uint16_t zero24;
  uint8_t zero26;
  uint8_t serviceKind;  // 1 TV, 2 Radio
  uint16_t teletextPid;
  uint16_t transportStreamId;
  char name[24];  // at most 23 characters and a NUL
  uint16_t zero56;
  uint8_t zero58[4];
  uint16_t networkId;
};
static_assert(sizeof(Zenk4Record) == 64);
static_assert(offsetof(Zenk4Record, magic) == 0);
static_assert(offsetof(Zenk4Record, serviceId) == 4);
static_assert(offsetof(Zenk4Record, pmtPid) == 6);
static_assert(offsetof(Zenk4Record, frequencyMHz) == 8);
static_assert(offsetof(Zenk4Record, symbolRateK) == 10);
static_assert(offsetof(Zenk4Record, fec) == 12);
static_assert(offsetof(Zenk4Record, zero13) == 13);
static_assert(offsetof(Zenk4Record, polarisation) == 14);
static_assert(offsetof(Zenk4Record, lnb) == 15);
static_assert(offsetof(Zenk4Record, videoPid) == 16);
static_assert(offsetof(Zenk4Record, audioPid) == 18);
static_assert(offsetof(Zenk4Record, pcrPid) == 20);
static_assert(offsetof(Zenk4Record, scrambledMarker) == 22);
static_assert(offsetof(Zenk4Record, zero24) == 24);
static_assert(offsetof(Zenk4Record, zero26) == 26);
static_assert(offsetof(Zenk4Record, serviceKind) == 27);
static_assert(offsetof(Zenk4Record, teletextPid) == 28);
static_assert(offsetof(Zenk4Record, transportStreamId) == 30);
static_assert(offsetof(Zenk4Record, name) == 32);
static_assert(offsetof(Zenk4Record, zero56) == 56);
static_assert(offsetof(Zenk4Record, zero58) == 58);
static_assert(offsetof(Zenk4Record, networkId) == 62);
