// The exported front end: a thin shell over the portable core on the
// library's bus and settings.
#include "DVBFrontend.h"

#include "FrontendCore.h"
#include "IoI2cFrontendBus.h"

const double CDVBFrontend::Log2Const[4] = {2, 4, 6, 0};
const double CDVBFrontend::dCR[5] = {1.0 / 2, 2.0 / 3, 3.0 / 4, 5.0 / 6, 7.0 / 8};
const double CDVBFrontend::dGuard[4] = {1.0 / 32, 1.0 / 16, 1.0 / 8, 1.0 / 4};
const double CDVBFrontend::dMode[2] = {2048, 8192};

CDVBFrontend::CDVBFrontend() : m_pCore(new CFrontendCore(IoI2cFrontendBus(), LibraryFrontendSettings())) {}

CDVBFrontend::~CDVBFrontend() { delete m_pCore; }

DVB_ERROR CDVBFrontend::Init() { return DVB_ERROR(m_pCore->Init()); }
CDVBFrontend::_FRONTEND_TYPE CDVBFrontend::GetType() { return m_pCore->GetType(); }
unsigned long CDVBFrontend::GetCapabilities() { return m_pCore->GetCapabilities(); }
unsigned long CDVBFrontend::GetSearchState() { return m_pCore->GetSearchState(); }

DVB_ERROR CDVBFrontend::SetChannel(_CHANNEL_TYPE channel, int) { return DVB_ERROR(m_pCore->SetChannel(channel)); }

DVB_ERROR CDVBFrontend::GetChannel(_CHANNEL_TYPE& channel) { return DVB_ERROR(m_pCore->GetChannel(channel)); }

unsigned long CDVBFrontend::SearchNextChannel(unsigned long parameter, int wait) {
  return m_pCore->SearchNextChannel(DWORD(parameter), wait);
}

void CDVBFrontend::StopSearch() { m_pCore->StopSearch(); }

DVB_ERROR CDVBFrontend::GetState(int& locked, _SIGNAL_TYPE* signal, _LOCK_STATE* lock) {
  return DVB_ERROR(m_pCore->GetState(locked, signal, lock));
}

int CDVBFrontend::GetTPS(_TYPE_TPS* tps) { return m_pCore->GetTPS(tps); }

DVB_ERROR CDVBFrontend::SendDiSEqCMsg(unsigned char* message, unsigned char length, unsigned char burst) {
  return DVB_ERROR(m_pCore->SendDiSEqCMsg(message, length, burst));
}

DVB_ERROR CDVBFrontend::SendDiSEqCMsg(unsigned char command, int a, int b, int c, int d, unsigned char repeat) {
  return DVB_ERROR(m_pCore->SendDiSEqCMsg(command, a, b, c, d, repeat));
}

DVB_ERROR CDVBFrontend::SetAntennaPower(int on) { return DVB_ERROR(m_pCore->SetAntennaPower(on)); }

DVB_ERROR CDVBFrontend::GetAntennaPower(unsigned long& state) {
  DWORD value = 3;
  DVB_ERROR result = DVB_ERROR(m_pCore->GetAntennaPower(value));
  state = value;
  return result;
}

void CDVBFrontend::GetFrequencyRange(unsigned long& min, unsigned long& max) {
  DWORD lo = 0, hi = 0;
  m_pCore->GetFrequencyRange(lo, hi);
  min = lo;
  max = hi;
}

void CDVBFrontend::GetSymbolRateRange(unsigned long& min, unsigned long& max) {
  DWORD lo = 0, hi = 0;
  m_pCore->GetSymbolRateRange(lo, hi);
  min = lo;
  max = hi;
}

void CDVBFrontend::GetBandwidthRange(_BANDWITH_TYPE& min, _BANDWITH_TYPE& max) { m_pCore->GetBandwidthRange(min, max); }

void CDVBFrontend::GetBandwidthAndGap(unsigned long& raster, unsigned long& gapStart, unsigned long& gapEnd) {
  DWORD r = 0, s = 0, e = 0;
  m_pCore->GetBandwidthAndGap(r, s, e);
  raster = r;
  gapStart = s;
  gapEnd = e;
}
