// The records and enumerations that cross the front end's interface: the
// tuning record a caller passes to SetChannel and reads back with
// GetChannel, the signal and lock records of GetState and the DVB-T
// transmission parameters. CDVBFrontend names them as its own nested types.
// Little-endian 32-bit words; the sizes are fixed.
#pragma once

#include <WinTypes.h>

namespace frontendtypes {

enum _FRONTEND_TYPE {
  FE_NONE = 0,
  FE_SATELLITE = 1,
  FE_CABLE = 2,
  FE_TERRESTRIAL = 3,
};

enum _QAM_TYPE { QAM_16 = 0, QAM_32 = 1, QAM_64 = 2, QAM_128 = 3, QAM_256 = 4 };

// Satellite code rate; the chip routines and drivers give it its meaning.
typedef DWORD _VITERBI_TYPE;

// Channel bandwidth as the range queries report it: 0 for the 6 MHz
// terrestrial front end, 1-2 for the DSP terrestrial ones, 2 for the other
// terrestrial and cable front ends, 3 passed by satellite tuning, 4 where
// there is no bandwidth.
enum _BANDWITH_TYPE { BW_0 = 0, BW_1 = 1, BW_2 = 2, BW_3 = 3, BW_4 = 4 };

// Words 2-6 mean different things per front-end type (see SetChannel).
struct _CHANNEL_TYPE {
  DWORD dwFrequency;   // kHz (terrestrial: or a channel number 5-12, 21-69)
  DWORD dwInversion;   // 0, 1, or 2 automatic
  DWORD dwSymbolRate;  // symbols/s; terrestrial: the tuning flag
  DWORD dwParam3;      // LNB oscillator kHz / _QAM_TYPE / _BANDWITH_TYPE
  DWORD dwParam4;      // satellite: 22 kHz tone; cable: _BANDWITH_TYPE
  DWORD dwLNBSupply;   // satellite: 0 off, 13 for 13 V, else 18 V
  DWORD dwViterbi;     // satellite: _VITERBI_TYPE
};

struct _SIGNAL_TYPE {
  INT nAFC;     // frequency error
  double dBER;  // bit-error rate as a fraction
  BYTE bAGC;
  BYTE bSNR;      // the chip's raw SNR byte
  WORD wLevel;    // per-variant scale
  WORD wQuality;  // percent
};

struct _LOCK_STATE {
  _FRONTEND_TYPE Type;
  DWORD bLocked : 1;
  DWORD : 0;
  DWORD Status : 6;  // chip flags and the bit-error class, per type
};

struct _TYPE_TPS {
  DWORD dwDriver0;  // first value of a driver's record; 0 from the class
  WORD wDriver1;
  BYTE bDriver2;
  BYTE bTPSExtra;       // a two-bit TPS field of the chip
  BYTE bConstellation;  // 0 QPSK, 1 16-QAM, 2 64-QAM
  BYTE bHierarchy;
  BYTE bCodeRateHP;  // 0-4: 1/2, 2/3, 3/4, 5/6, 7/8
  BYTE bCodeRateLP;
  BYTE bGuard;  // 0-3: 1/32, 1/16, 1/8, 1/4
  BYTE bMode;   // 0 2K, 1 8K
  WORD wDriver3;
  DWORD dwDriver4[5];  // the third is 1 when the OTI7K reports valid TPS
  INT nFreqOffset;
};

static_assert(sizeof(_FRONTEND_TYPE) == 4, "a 32-bit enumeration");
static_assert(sizeof(_CHANNEL_TYPE) == 28, "seven words");
static_assert(sizeof(_LOCK_STATE) == 12, "three words");
static_assert(sizeof(_SIGNAL_TYPE) == 24, "int, double, two bytes, two words");
static_assert(sizeof(_TYPE_TPS) == 40, "40 bytes");

}  // namespace frontendtypes
