// The card's front end: initialise once after the boot, then tune and read
// the state.
#pragma once

#include "CardTypes.h"

class AFX_EXT_CLASS CDVBFrontend {
 public:
  typedef frontendtypes::_FRONTEND_TYPE _FRONTEND_TYPE;
  typedef frontendtypes::_CHANNEL_TYPE _CHANNEL_TYPE;
  typedef frontendtypes::_SIGNAL_TYPE _SIGNAL_TYPE;
  typedef frontendtypes::_LOCK_STATE _LOCK_STATE;

  CDVBFrontend() {}
  virtual ~CDVBFrontend() {}

  DVB_ERROR Init();
  _FRONTEND_TYPE GetType();
  DVB_ERROR SetChannel(_CHANNEL_TYPE channel, int unused);
  DVB_ERROR GetChannel(_CHANNEL_TYPE& channel);
  DVB_ERROR GetState(int& locked, _SIGNAL_TYPE* signal, _LOCK_STATE* lock);
  DVB_ERROR SendDiSEqCMsg(BYTE* data, BYTE length, BYTE burst);
  void GetFrequencyRange(ULONG& min, ULONG& max);
};
