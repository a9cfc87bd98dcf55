#include "CaSystemNames.h"

namespace {

struct CaRange {
  WORD first, last;
  const char* name;
};

// The DVB allocation of CA_system_id ranges.
constexpr CaRange kCaRanges[] = {
    {0x0000, 0x0000, "Reserved"},
    {0x0001, 0x00FF, "Standardized systems"},
    {0x0100, 0x01FF, "Canal Plus (SECA/Mediaguard)"},
    {0x0200, 0x02FF, "CCETT"},
    {0x0300, 0x03FF, "Deutsche Telekom"},
    {0x0400, 0x04FF, "Eurodec"},
    {0x0500, 0x05FF, "France Telecom (Viaccess)"},
    {0x0600, 0x06FF, "Irdeto"},
    {0x0700, 0x07FF, "Jerrold/GI"},
    {0x0800, 0x08FF, "Matra Communication"},
    {0x0900, 0x09FF, "News Datacom (NDS/Videoguard)"},
    {0x0A00, 0x0AFF, "Nokia"},
    {0x0B00, 0x0BFF, "Norwegian Telekom (Conax)"},
    {0x0C00, 0x0CFF, "NTL"},
    {0x0D00, 0x0DFF, "Philips (CryptoWorks)"},
    {0x0E00, 0x0EFF, "Scientific Atlanta (PowerVu)"},
    {0x0F00, 0x0FFF, "Sony"},
    {0x1000, 0x10FF, "Tandberg Television"},
    {0x1100, 0x11FF, "Thomson"},
    {0x1200, 0x12FF, "TV/Com"},
    {0x1300, 0x13FF, "HPT - Croatian Post and Telecommunications"},
    {0x1400, 0x14FF, "HRT - Croatian Radio and Television"},
    {0x1500, 0x15FF, "IBM"},
    {0x1600, 0x16FF, "Nera"},
    {0x1700, 0x17FF, "BetaTechnik (BetaCrypt)"},
    {0x1800, 0x18FF, "Kudelski SA (NagraVision)"},
    {0x1900, 0x19FF, "Titan Information Systems"},
    {0x2000, 0x20FF, "Telef\xF3nica Servicios Audiovisuales"},  // ANSI code page
    {0x2100, 0x21FF, "STENTOR (France Telecom, CNES and DGA)"},
    {0x2200, 0x22FF, "Tadiran Scopus"},
    {0x2300, 0x23FF, "BARCO AS"},
    {0x2400, 0x24FF, "StarGuide Digital Networks"},
    {0x2500, 0x25FF, "Mentor Data System, Inc."},
    {0x2600, 0x26FF, "European Broadcasting Union"},
    {0x4700, 0x47FF, "General Instrument"},
    {0x4800, 0x48FF, "Telemann"},
};

}  // namespace

const char* CaSystemName(WORD caSystemId) {
  for (const CaRange& range : kCaRanges)
    if (caSystemId >= range.first && caSystemId <= range.last) return range.name;
  return "Unknown";
}
