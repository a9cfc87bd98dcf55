// The front end of the open box, exported: open the box first
// (CDVBCommon::OpenDevice), construct, Init once, then tune and read the
// state. Every operation that talks to the box returns 1 without an open box.
#pragma once

#include "DVBError.h"
#include "FrontendTypes.h"

#include <Framework.h>

class CFrontendCore;

class AFX_EXT_CLASS CDVBFrontend {
 public:
  typedef frontendtypes::_FRONTEND_TYPE _FRONTEND_TYPE;
  typedef frontendtypes::_CHANNEL_TYPE _CHANNEL_TYPE;
  typedef frontendtypes::_QAM_TYPE _QAM_TYPE;
  typedef frontendtypes::_VITERBI_TYPE _VITERBI_TYPE;
  typedef frontendtypes::_BANDWITH_TYPE _BANDWITH_TYPE;
  typedef frontendtypes::_SIGNAL_TYPE _SIGNAL_TYPE;
  typedef frontendtypes::_LOCK_STATE _LOCK_STATE;
  typedef frontendtypes::_TYPE_TPS _TYPE_TPS;

  // Offered to callers (a net bit-rate, say), indexed by the TPS codes:
  // bits per carrier, code rates, guard intervals, carriers.
  static const double Log2Const[4];
  static const double dCR[5];
  static const double dGuard[4];
  static const double dMode[2];

  CDVBFrontend();
  virtual ~CDVBFrontend();

  DVB_ERROR Init();
  _FRONTEND_TYPE GetType();
  unsigned long GetCapabilities();
  unsigned long GetSearchState();

  DVB_ERROR SetChannel(_CHANNEL_TYPE channel, int unused);
  DVB_ERROR GetChannel(_CHANNEL_TYPE& channel);
  unsigned long SearchNextChannel(unsigned long parameter, int wait);
  void StopSearch();
  DVB_ERROR GetState(int& locked, _SIGNAL_TYPE* signal, _LOCK_STATE* lock);
  int GetTPS(_TYPE_TPS* tps);

  DVB_ERROR SendDiSEqCMsg(unsigned char* message, unsigned char length, unsigned char burst);
  DVB_ERROR SendDiSEqCMsg(unsigned char command, int a, int b, int c, int d, unsigned char repeat);
  DVB_ERROR SetAntennaPower(int on);
  DVB_ERROR GetAntennaPower(unsigned long& state);

  void GetFrequencyRange(unsigned long& min, unsigned long& max);
  void GetSymbolRateRange(unsigned long& min, unsigned long& max);
  void GetBandwidthRange(_BANDWITH_TYPE& min, _BANDWITH_TYPE& max);
  void GetBandwidthAndGap(unsigned long& raster, unsigned long& gapStart, unsigned long& gapEnd);

 private:
  CDVBFrontend(const CDVBFrontend&);
  CDVBFrontend& operator=(const CDVBFrontend&);

  CFrontendCore* m_pCore;
};
