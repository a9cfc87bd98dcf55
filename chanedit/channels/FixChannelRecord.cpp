#include "FixChannelRecord.h"

namespace {

template <typename T>
void ClampAbove(T& field, T limit) {
  if (field > limit) field = limit;
}

}  // namespace

DVB_CHANNELS* FixChannelRecord(DVB_CHANNELS* r) {
  r->subVersion[0] = '1';
  r->subVersion[1] = 0;
  r->channelName[31] = 0;
  r->transponderName[31] = 0;
  ClampAbove<uint8_t>(r->itemType, 1);
  // 3 and 4 are kept here; the list reader drops such channels.
  if (r->serviceKind > 4) r->serviceKind = 0;
  ClampAbove<uint8_t>(r->flagA, 1);
  ClampAbove<uint8_t>(r->bandwidth, 4);
  ClampAbove<uint32_t>(r->pinNeeded, 1);
  ClampAbove<uint8_t>(r->rotor, 1);
  // 255 means no satellite; everything from 149 up to it is the last entry.
  if (r->satelliteIndex >= 149 && r->satelliteIndex != 255) r->satelliteIndex = 149;
  ClampAbove<uint8_t>(r->audioMode, 2);
  ClampAbove<uint8_t>(r->spectralInversion, 1);
  ClampAbove<uint8_t>(r->qam, 5);
  ClampAbove<uint8_t>(r->fec, 9);
  r->reserved154 = 0;
  ClampAbove<uint8_t>(r->polarisation, 1);
  ClampAbove<uint8_t>(r->lnb, 100);
  ClampAbove<uint16_t>(r->videoSource, 5);
  ClampAbove<uint16_t>(r->scrambled, 1);
  ClampAbove<uint8_t>(r->signalType, 2);
  return r;
}
