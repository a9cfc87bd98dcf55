// The front end of the open box, without Windows: detection of the variant,
// its driver objects, and the operations CDVBFrontend exports, each
// dispatching on the variant. Results are DVB_ERROR values.
#pragma once

#include "ChannelSearch.h"
#include "DVBError.h"
#include "FEBoxFirmware.h"
#include "FECab0297.h"
#include "FECabVES18xx.h"
#include "FESatSTV0299.h"
#include "FESatVES18xx.h"
#include "FESatVer.h"
#include "FETerFw25.h"
#include "FETerScMain.h"
#include "FETerFw46.h"
#include "FrontendBus.h"
#include "FrontendI2c.h"
#include "FrontendTypes.h"
#include "SearchDriver.h"

#include <memory>
#include <string>

class CFrontendCore {
 public:
  CFrontendCore(IFrontendBus& bus, IFrontendSettings& settings);
  ~CFrontendCore();
  CFrontendCore(const CFrontendCore&) = delete;
  CFrontendCore& operator=(const CFrontendCore&) = delete;

  int Init();
  frontendtypes::_FRONTEND_TYPE GetType() const { return m_Type; }
  DWORD GetCapabilities() const { return m_dwCaps; }
  DWORD GetVariant() const { return m_dwVariant; }

  int SetChannel(frontendtypes::_CHANNEL_TYPE channel);
  int GetChannel(frontendtypes::_CHANNEL_TYPE& channel);
  int GetState(int& locked, frontendtypes::_SIGNAL_TYPE* signal, frontendtypes::_LOCK_STATE* lock);

  DWORD SearchNextChannel(DWORD parameter, int wait) { return m_search.SearchNextChannel(parameter, wait); }
  void StopSearch() { m_search.StopSearch(); }
  DWORD GetSearchState() const { return m_search.GetSearchState(); }
  // The driver object the variant searches with: the VES18xx driver of
  // variants 2 to 4 while it is in use; null where no search is possible.
  IFESearchDriver* SearchDriver();
  // Hands over the search driver object (owned from then on); while no
  // search runs.
  void SetSearchDriver(std::unique_ptr<IFESearchDriver> driver) { m_pSearchDriver = std::move(driver); }

  int SendDiSEqCMsg(const BYTE* message, BYTE length, BYTE burst);
  int SendDiSEqCMsg(BYTE command, int a, int b, int c, int d, BYTE repeat);
  int SetAntennaPower(int on);
  int GetAntennaPower(DWORD& state);

  void GetFrequencyRange(DWORD& min, DWORD& max);
  void GetSymbolRateRange(DWORD& min, DWORD& max);
  void GetBandwidthRange(frontendtypes::_BANDWITH_TYPE& min, frontendtypes::_BANDWITH_TYPE& max);
  void GetBandwidthAndGap(DWORD& raster, DWORD& gapStart, DWORD& gapEnd);

  // A terrestrial channel number (UHF 21-69, VHF 5-12; US 7-78 for the
  // 6 MHz front end) as a frequency in kHz with its profile offset; any
  // other value is a frequency already.
  DWORD VerfifyCabTerFreq(DWORD channel);
  DWORD VerfifyCabTerFreq_US(DWORD channel);

  // The bit-error class of a rate: 3 below 0.001 ... 0 from 0.1.
  static DWORD BerClass(double ber);

  // DVB-T transmission parameters: 0 done, 1 none yet, -1 failed.
  int GetTPS(frontendtypes::_TYPE_TPS* tps);

  // What tests look at.
  const frontendtypes::_CHANNEL_TYPE& StoredChannel() const { return m_Channel; }
  BOOL JapanLNB() const { return m_bJapanLNB; }
  BOOL UseSatDriver() const { return m_bUseSatDriver; }
  CFEBoxFirmware* BoxFirmwareDriver() { return m_pBoxFEDriver.get(); }
  CChannelSearch& Search() { return m_search; }
  CFECab0297* Cab0297Driver() { return m_p0297Driver.get(); }
  CFESatSTV0299* Stv0299Driver() { return m_pSTV0299Driver.get(); }
  CFESatVer* SatVerDriver() { return m_pSatVerDriver.get(); }
  CFECabVES18xx* CabVesDriver() { return m_pCabVes.get(); }
  CFESatVES18xx* SatVesDriver() { return m_pSatVes.get(); }
  CFETerFw25* Fw25Driver() { return m_pFw25Driver.get(); }
  CFETerScMain* ScMainDriver() { return m_pScMainDriver.get(); }
  CFETerFw46* Fw46Driver() { return m_pFw46Driver.get(); }
  CFETerFw46B* Fw46BDriver() { return m_pFw46BDriver.get(); }
  // The DSP microcode images, below the folder of the running program.
  static const char kFw25Microcode[];
  static const char kFw46Microcode[];  // variants 26 and 31
  // GetState's scales of the DSP terrestrial variants: the level in tenths
  // of a dB below full scale from the quality byte, variant 25's quality
  // from that level, and 26's and 31's from their drivers' signal strength.
  static WORD DspLevel(BYTE quality);
  static WORD Fw25Quality(WORD level);
  static WORD Fw46Quality(int strength);
  // The longest the front end polls a VES driver's lock search after a tune.
  static const int kTunePollLimit = 50;
  WORD AFCBase() const { return m_wAFCBase; }
  int Inversion() const { return m_nInversion; }
  DWORD BERPeriod() const { return m_dwBERPeriod; }

  // The DiSEqC pause between tries and after switching the LNB supply on.
  static const DWORD kDiSEqCPauseMs = 120;

  // The front end's own chip routines (set-up, tuner, read-outs) of the
  // variants it programs register by register; each switches on the variant.
  DWORD SetSymRate(DWORD sr);
  int SetInversion(int inv);
  int GetInversion();
  void SetQAM(frontendtypes::_QAM_TYPE q);
  void SetViterbi(frontendtypes::_VITERBI_TYPE v);
  void SetBER_Exp(DWORD bits);
  void SetSTV0299Search(bool on);
  void TunerI2CEnable();
  void ClrBit_1820();
  void ClrBit_1877_93();
  void ClrBit_8083();
  void SetPWM(BYTE v);
  void SetFinePWM(WORD v);
  int IsAnalogLocked();
  DWORD SetFreq(DWORD freq, DWORD lo, DWORD sr, frontendtypes::_BANDWITH_TYPE bw, int flag);
  int GetAFC();
  double GetBER();
  BYTE GetAGC();
  WORD GetSNR_SQE();

  // The OTI7K COFDM demodulator of variants 9 and 14.
  struct OTI7K_Status {
    double reserved;
    double BER;
    DWORD reg0F;
    BYTE lock;
  };
  void o7k_InitOTI7K(int mode);
  void o7k_EnableTunerI2C(int on);
  int o7k_GetStatus(BYTE mask, int& lock, OTI7K_Status* st);
  int o7k_SetInversion(int inv);
  int o7k_GetTPS(frontendtypes::_TYPE_TPS* tps);
  BYTE o7k_GetOTI7K_ID();
  DWORD o7k_SetTunerFreq(DWORD f, int mode);
  DWORD o7k_ChannelChange(DWORD f, int mode);

  // The L64781 of variants 16 and 19: its transmission parameters (0; -1
  // for a field out of range, nothing written), the start of an
  // acquisition, and the tuning searches of the 8 and 6 MHz boards (the
  // tuned frequency in kHz, 0 out of range).
  int SetOFDMParams(frontendtypes::_TYPE_TPS* tps);
  int StartDemod();
  DWORD SetFreq_64781_neu(DWORD freq, DWORD lo, int flag);
  DWORD SetFreq_64781_6MHz(DWORD freq, DWORD lo, int flag);
  const frontendtypes::_TYPE_TPS& LastOfdmParams() const { return m_LastOfdmParams; }

 private:
  WORD InitIntern();
  WORD InitFE();
  // The box's capability query into the range outputs; false when it fails.
  bool BoxRanges(DWORD out[8]);
  // The pair at out[first], out[first + 1] of the box's answer, else the
  // table's.
  void RangeFromBox(int first, DWORD tableMin, DWORD tableMax, DWORD& min, DWORD& max);
  // signalNext: GetState reads the signal values next.
  int GetLockState(frontendtypes::_LOCK_STATE* lock, bool signalNext = false);
  int SetChannelBoxFirmware(const frontendtypes::_CHANNEL_TYPE& channel);
  int GetStateBoxFirmware(int& locked, frontendtypes::_SIGNAL_TYPE* signal, frontendtypes::_LOCK_STATE* lock);
  void LnbControl(const frontendtypes::_CHANNEL_TYPE& channel);
  int SetChannelCab0297(const frontendtypes::_CHANNEL_TYPE& channel);
  // The STV0299 variants tune through their searching driver while the
  // satellite-driver flag is set.
  bool Stv0299DriverInUse() const;
  bool CabVesInUse() const { return m_dwVariant == 3 && m_bUseVesDriver && m_pCabVes; }
  bool SatVesInUse() const { return m_dwVariant == 2 && m_bUseVesDriver && m_pSatVes; }
  int SetChannelCabVes(const frontendtypes::_CHANNEL_TYPE& channel);
  int SetChannelSatVes(const frontendtypes::_CHANNEL_TYPE& channel);
  // Polls a VES18xx driver's lock search until it settles (bounded).
  void AwaitVesSearch(CFEVes18xx& driver);
  void FillSignalCabVes(frontendtypes::_SIGNAL_TYPE& signal);
  void FillSignalSatVes(frontendtypes::_SIGNAL_TYPE& signal);
  int SetChannelStv0299(const frontendtypes::_CHANNEL_TYPE& channel);
  // The sequence of the variants whose chips the front end programs itself.
  void SetChannelByChipRoutines(const frontendtypes::_CHANNEL_TYPE& channel);
  void InitCab0297();
  WORD GetBoardRevision();
  void FillSignal(frontendtypes::_SIGNAL_TYPE& signal);

  DWORD SatelliteTuner(DWORD freq, DWORD lo, DWORD sr);
  DWORD Stv0299Tuner(DWORD freq, DWORD lo, DWORD sr);
  DWORD CableTuner(DWORD freq);
  DWORD ScMainTuner(DWORD freq);
  int GetTPS64781(frontendtypes::_TYPE_TPS* tps);
  // One try of the L64781 search on divider n; true when it locked, and
  // then the parameters found are stored under the channel's key.
  bool Try64781(DWORD n, BYTE band, frontendtypes::_TYPE_TPS& tps, DWORD modeIndex, const std::string& key);

  IFrontendBus& m_bus;
  IFrontendSettings& m_settings;
  CFrontendI2c m_i2c;

  DWORD m_dwVariant = 0;
  frontendtypes::_FRONTEND_TYPE m_Type = frontendtypes::FE_NONE;
  DWORD m_dwBERPeriod = 0;
  int m_nInversion = 0;
  WORD m_wAFCBase = 0;
  frontendtypes::_CHANNEL_TYPE m_Channel = {};
  DWORD m_dwCaps = 0;
  BOOL m_bJapanLNB = 0;
  DWORD m_dwAntennaPower = 0;
  BOOL m_bUseSatDriver = 1;
  BOOL m_bUseVesDriver = 1;
  BOOL m_bAnalog = 0;
  BOOL m_bLastAnalog = 0;
  DWORD m_dwDeviceId = 0;
  std::unique_ptr<CFEBoxFirmware> m_pBoxFEDriver;
  std::unique_ptr<CFECab0297> m_p0297Driver;
  std::unique_ptr<CFESatSTV0299> m_pSTV0299Driver;
  std::unique_ptr<CFESatVer> m_pSatVerDriver;  // variants 28-30
  // Its signal as the lock state of this GetState read it (each read costs
  // a dozen paced transfers).
  CFESatVer::Signal m_satVerSignal = {};
  bool m_satVerSignalRead = false;
  std::unique_ptr<CFECabVES18xx> m_pCabVes;     // variant 3, also its search driver
  std::unique_ptr<CFESatVES18xx> m_pSatVes;     // variant 2, also its search driver
  std::unique_ptr<CFETerScMain> m_pScMainDriver;  // variants 7 and 8
  std::unique_ptr<CFETerFw25> m_pFw25Driver;      // variant 25
  std::unique_ptr<CFETerFw46> m_pFw46Driver;      // variant 26
  std::unique_ptr<CFETerFw46B> m_pFw46BDriver;    // variant 31
  // The driver of variant 26 or 31 (31's when both exist).
  CFETerFw46* Fw46InUse() { return m_pFw46BDriver ? m_pFw46BDriver.get() : m_pFw46Driver.get(); }
  WORD m_wBoardRevision = 0;
  frontendtypes::_TYPE_TPS m_LastOfdmParams = {};
  double m_dLastBer0297 = 0;  // the STV0297 measures over a window
  std::unique_ptr<IFESearchDriver> m_pSearchDriver;
  // Last, so destroyed first: its worker has ended before the drivers go.
  CChannelSearch m_search{*this, m_bus};
};
