#include "Zenk4Conversion.h"

#include <cstring>

namespace {

// Copies a name of at most fromSize bytes into a field of toSize bytes,
// stopping at its NUL and padding the rest of the field with NULs.
void CopyPadded(char* to, size_t toSize, const char* from, size_t fromSize) {
  const size_t n = strnlen(from, toSize < fromSize ? toSize : fromSize);
  std::memcpy(to, from, n);
  std::memset(to + n, 0, toSize - n);
}

uint16_t Swap16(uint16_t v) { return static_cast<uint16_t>((v >> 8) | (v << 8)); }

// A value stored so that its bytes in memory are most significant first.
uint16_t BigEndian(uint32_t v) { return Swap16(static_cast<uint16_t>(v)); }

}  // namespace

void ChannelToZenk4(const DVB_CHANNELS* r, Zenk4Record* out) {
  std::memset(out, 0, sizeof(*out));
  std::memcpy(out->magic, "DVSO", 4);
  out->serviceId = BigEndian(r->serviceId);
  out->pmtPid = BigEndian(r->pmtPid);
  if (r->itemType != 0) {
    // Zenk4 counts in MHz and kilo-symbols; only the low 16 bits fit.
    out->frequencyMHz = BigEndian(r->frequency / 1000);
    out->symbolRateK = BigEndian(r->symbolRate / 1000);
  }
  out->fec = r->fec;
  out->polarisation = r->polarisation;
  out->lnb = r->lnb > 3 ? 3 : r->lnb;
  out->videoPid = BigEndian(r->videoPid);
  out->audioPid = BigEndian(r->audioPid);
  out->pcrPid = BigEndian(r->pcrPid);
  out->scrambledMarker = BigEndian(r->scrambled ? 0x01FF : 0);
  out->serviceKind = r->serviceKind;
  out->teletextPid = BigEndian(r->teletextPid);
  out->transportStreamId = BigEndian(r->transportStreamId);
  CopyPadded(out->name, sizeof(out->name), r->channelName, sizeof(r->channelName));
  out->name[sizeof(out->name) - 1] = 0;
  out->networkId = BigEndian(r->networkId);
}

void SwapZenk4Record(Zenk4Record* z) {
  uint16_t* words[] = {&z->serviceId,         &z->pmtPid, &z->frequencyMHz,    &z->symbolRateK, &z->videoPid,
                       &z->audioPid,          &z->pcrPid, &z->scrambledMarker, &z->zero24,      &z->teletextPid,
                       &z->transportStreamId, &z->zero56, &z->networkId};
  for (uint16_t* word : words) *word = Swap16(*word);
}

void CleanZenk4Name(char* name) {
  char* to = name;
  for (const char* from = name; *from; ++from) {
    if ((static_cast<unsigned char>(*from) & 0x80) == 0) *to++ = *from;
  }
  *to = 0;
}

void Zenk4ToChannel(const Zenk4Record* z, DVB_CHANNELS* out) {
  // The bytes the conversion gives no value stay zero.
  std::memset(out, 0, sizeof(*out));
  std::memcpy(out->signature, "QLON3.0", 8);
  out->subVersion[0] = '1';
  CopyPadded(out->channelName, sizeof(z->name), z->name, sizeof(z->name));
  out->channelName[sizeof(z->name) - 1] = 0;
  CleanZenk4Name(out->channelName);
  if (z->frequencyMHz == 0) {
    out->itemType = 0;
    out->serviceKind = 0;
  } else {
    out->itemType = 1;
    out->serviceKind = z->serviceKind > 4 ? 0 : z->serviceKind;
  }
  out->frequency = static_cast<uint32_t>(z->frequencyMHz) * 1000;
  out->symbolRate = static_cast<uint32_t>(z->symbolRateK) * 1000;
  out->videoPid = z->videoPid;
  out->audioPid = z->audioPid;
  out->teletextPid = z->teletextPid;
  out->pcrPid = z->pcrPid;
  out->pmtPid = z->pmtPid;
  out->serviceId = z->serviceId;
  out->transportStreamId = z->transportStreamId;
  out->networkId = z->networkId;
  out->fec = z->fec > 9 ? 9 : z->fec;
  out->polarisation = z->polarisation > 1 ? 1 : z->polarisation;
  out->lnb = z->lnb > 100 ? 100 : z->lnb;
  // File byte 22 is the high byte once swapped.
  out->scrambled = (z->scrambledMarker >> 8) != 0 ? 1 : 0;
  out->flagA = 1;
  out->flagB = 1;
  out->satelliteIndex = 255;
  out->videoSource = 0;  // "XPORT DVB"
}
