// A DVB-T parameter record with the fields the store keeps and the ones
// that decide its mode number.
#pragma once

#include "FrontendTypes.h"

inline frontendtypes::_TYPE_TPS Tps(BYTE constellation, BYTE hierarchy, BYTE hp, BYTE lp, BYTE guard, BYTE mode,
                                    int offset) {
  frontendtypes::_TYPE_TPS tps = {};
  tps.bConstellation = constellation;
  tps.bHierarchy = hierarchy;
  tps.bCodeRateHP = hp;
  tps.bCodeRateLP = lp;
  tps.bGuard = guard;
  tps.bMode = mode;
  tps.nFreqOffset = offset;
  return tps;
}
