// The stand-in of the card's MPEG-2 source filter: the output pins "Audio"
// and "Video" and the tuner, data, AV and timeshift controls over the
// scripted card (SimScript.h). Every control call is recorded and may be
// told to fail.
#pragma once

#include <Streams.h>

#include <B2C2Interfaces.h>

#include <atomic>
#include <memory>
#include <string>

#include "CardOutputPin.h"
#include "TsFeed.h"

class CCardFilter : public CBaseFilter,
                    public IB2C2MPEG2TunerCtrl2,
                    public IB2C2MPEG2DataCtrl4,
                    public IB2C2MPEG2AVCtrl,
                    public IB2C2MPEG2TimeshiftCtrl2 {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);
  ~CCardFilter() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  int GetPinCount() override { return 2; }
  CBasePin* GetPin(int n) override;
  STDMETHODIMP Run(REFERENCE_TIME tStart) override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Stop() override;
  // A live source: paused, it delivers nothing, so it cannot cue.
  STDMETHODIMP GetState(DWORD dwMilliSecsTimeout, FILTER_STATE* State) override;

  // IB2C2MPEG2TunerCtrl2
  STDMETHODIMP SetFrequency(long frequency) override;
  STDMETHODIMP SetSymbolRate(long symbolRate) override;
  STDMETHODIMP SetLnbFrequency(long lnbMHz) override;
  STDMETHODIMP SetFec(long fec) override;
  STDMETHODIMP SetPolarity(long polarity) override;
  STDMETHODIMP SetLnbKHz(long lnbKHz) override;
  STDMETHODIMP SetDiseqc(long diseqc) override;
  STDMETHODIMP SetModulation(long modulation) override;
  STDMETHODIMP SetGuardInterval(long interval) override;
  STDMETHODIMP SetBandwidth(long bandwidthMHz) override;
  STDMETHODIMP Initialize() override;
  STDMETHODIMP SetTunerStatus() override;
  STDMETHODIMP CheckLock() override;
  STDMETHODIMP GetTunerCapabilities(B2C2TunerCapabilities* caps, long* length) override;
  STDMETHODIMP GetSignalStrength(long* strength) override;
  STDMETHODIMP GetSignalQuality(long* quality) override;
  STDMETHODIMP GetSNR(float* snr) override;
  STDMETHODIMP GetBER(float* ber) override;
  STDMETHODIMP GetUncorrectedBlocks(long* blocks) override;
  STDMETHODIMP GetTotalBlocks(long* blocks) override;

  // IB2C2MPEG2DataCtrl4
  STDMETHODIMP AddPIDs(long* count, long* pids) override;
  STDMETHODIMP DeletePIDs(long* count, long* pids) override;
  STDMETHODIMP GetDataReceptionStats(long* packets, long* bytes) override;
  STDMETHODIMP ResetDataReceptionStats() override;
  STDMETHODIMP SetTsCallback(B2C2TsCallback callback) override;
  STDMETHODIMP GetHardwareMacAddress(BYTE mac[6]) override;

  // IB2C2MPEG2AVCtrl
  STDMETHODIMP SetAudioVideoPIDs(long audioPid, long videoPid) override;
  STDMETHODIMP SetVideoCallback(B2C2VideoCallback callback) override;

  // IB2C2MPEG2TimeshiftCtrl2
  STDMETHODIMP SetFilename(LPCWSTR path) override;
  STDMETHODIMP GetFilename(LPWSTR path, long size) override;
  STDMETHODIMP SetCallback(B2C2TimeshiftCallback callback) override;
  STDMETHODIMP SetOption(long option, long value) override;
  STDMETHODIMP StartTimeshift() override;
  STDMETHODIMP StopTimeshift() override;
  STDMETHODIMP GetFileSize(LONGLONG* size) override;
  STDMETHODIMP GetFilePosition(LONGLONG* position) override;
  STDMETHODIMP SetFilePosition(LONGLONG position) override;

 private:
  // Made only by CreateInstance.
  friend CUnknown* CreateComObject<CCardFilter>(LPUNKNOWN pUnk, HRESULT* phr);
  CCardFilter(LPUNKNOWN pUnk, HRESULT* phr);

  // The PIDs of a data-control call, recorded; the call's answer.
  HRESULT PidCall(const char* call, long* count, const long* pids);

  CCritSec m_filterLock;
  std::atomic<bool> m_bRunning{false};  // the pins deliver only while it is set
  CTsFeed m_feed;  // before the pins: their threads read its PIDs until they end
  std::unique_ptr<CCardOutputPin> m_audio;
  std::unique_ptr<CCardOutputPin> m_video;
  std::wstring m_timeshiftFile;  // guarded by m_filterLock
  B2C2TimeshiftCallback m_timeshiftCallback = nullptr;
};
