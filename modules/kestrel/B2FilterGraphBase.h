// The card's filter graph: the graph with the card's MPEG-2 source filter
// in it, the filter's tuner, data, AV and timeshift controls, the graph's
// media control and basic audio and video, and the error store that every
// step writes its name and result into. A step that fails stops the build;
// running, pausing and stopping throw CB2FilterGraphException.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <ComPtr.h>
#include <B2C2Interfaces.h>

#include "B2FilterGraphError.h"

class CB2FilterGraphBase {
 public:
  CB2FilterGraphBase() = default;
  CB2FilterGraphBase(const CB2FilterGraphBase&) = delete;
  CB2FilterGraphBase& operator=(const CB2FilterGraphBase&) = delete;
  virtual ~CB2FilterGraphBase();

  // Builds the graph; throws CB2FilterGraphException with the failed step.
  void Initialize();

  DWORD GetLastErrorCode() { return m_error.GetLastErrorCode(); }
  LPCSTR GetLastErrorText() const { return m_error.GetLastErrorText(); }

  IB2C2MPEG2TunerCtrl2* GetTunerCtrl() const { return m_pTunerCtrl.Get(); }
  IB2C2MPEG2DataCtrl4* GetDataCtrl() const { return m_pDataCtrl.Get(); }
  IB2C2MPEG2AVCtrl* GetAVCtrl() const { return m_pAVCtrl.Get(); }
  IB2C2MPEG2TimeshiftCtrl* GetTimeshiftCtrl() const { return m_pTimeshiftCtrl.Get(); }
  IFilterGraph2* GetGraph() const { return m_pGraph.Get(); }

  void Run();
  void Pause();
  void Stop();

  // put_Volume on the graph's audio; E_FAIL without it.
  HRESULT SetVolume(long value);
  IBasicVideo* GetBasicVideo() const { return m_pBasicVideo.Get(); }

 protected:
  // Stores the step's name with a failing hr; returns hr.
  HRESULT Step(HRESULT hr, LPCSTR step);
  // Stores the pair and throws it.
  [[noreturn]] void Throw(LPCSTR step, DWORD code);

  CB2FilterGraphError m_error;
  ComPtr<IB2C2MPEG2TunerCtrl2> m_pTunerCtrl;
  ComPtr<IB2C2MPEG2DataCtrl4> m_pDataCtrl;
  ComPtr<IB2C2MPEG2AVCtrl> m_pAVCtrl;
  ComPtr<IB2C2MPEG2TimeshiftCtrl> m_pTimeshiftCtrl;
  ComPtr<IB2C2MPEG2TimeshiftCtrl2> m_pTimeshiftCtrl2;
  ComPtr<IBaseFilter> m_pVideoRenderer;
  ComPtr<IFilterGraph2> m_pGraph;
  ComPtr<IBaseFilter> m_pSourceFilter;
  ComPtr<IPin> m_pAudioPin;
  ComPtr<IPin> m_pVideoPin;
  ComPtr<IMediaControl> m_pMediaControl;
  ComPtr<IBasicAudio> m_pBasicAudio;
  ComPtr<IBasicVideo> m_pBasicVideo;
  BOOL m_bVMR9 = FALSE;
  DWORD m_dwRotCookie = 0;

 private:
  HRESULT Build();
  void ReleaseAll();
  HRESULT AddToRot();
  void RemoveFromRot();
};
