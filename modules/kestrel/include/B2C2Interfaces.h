// The interfaces of the card's MPEG-2 source filter as kestrel calls them:
// the tuner, the data (PID filtering and the transport-stream callback), the
// audio/video output and the timeshift controls. The filter is an outside
// component; this header fixes the method order that kestrel and the test
// stand-in share. Every method returns an HRESULT.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include "B2C2Types.h"

// {E82536A0-94DA-11D2-A463-00A0C95D308D}
inline constexpr CLSID CLSID_B2C2MPEG2Filter = {
    0xE82536A0, 0x94DA, 0x11D2, {0xA4, 0x63, 0x00, 0xA0, 0xC9, 0x5D, 0x30, 0x8D}};
// {CD900832-50DF-4F8F-882D-1C358F90B3F2}
inline constexpr IID IID_IB2C2MPEG2TunerCtrl2 = {
    0xCD900832, 0x50DF, 0x4F8F, {0x88, 0x2D, 0x1C, 0x35, 0x8F, 0x90, 0xB3, 0xF2}};
// {5927DB1C-B2AC-441F-89A7-C61194D15392}
inline constexpr IID IID_IB2C2MPEG2DataCtrl4 = {
    0x5927DB1C, 0xB2AC, 0x441F, {0x89, 0xA7, 0xC6, 0x11, 0x94, 0xD1, 0x53, 0x92}};
// {295950B0-696D-4A04-9EE3-C031A0BFBEDE}
inline constexpr IID IID_IB2C2MPEG2AVCtrl = {
    0x295950B0, 0x696D, 0x4A04, {0x9E, 0xE3, 0xC0, 0x31, 0xA0, 0xBF, 0xBE, 0xDE}};
// {A306AF1C-51D9-496D-9E7A-1CFE28F51FDA}
inline constexpr IID IID_IB2C2MPEG2TimeshiftCtrl = {
    0xA306AF1C, 0x51D9, 0x496D, {0x9E, 0x7A, 0x1C, 0xFE, 0x28, 0xF5, 0x1F, 0xDA}};
// {0B5A8A87-7133-4A37-846E-77F568A52155}
inline constexpr IID IID_IB2C2MPEG2TimeshiftCtrl2 = {
    0x0B5A8A87, 0x7133, 0x4A37, {0x84, 0x6E, 0x77, 0xF5, 0x68, 0xA5, 0x21, 0x55}};

// Called on the filter's data thread with one 188-byte packet and its PID.
typedef UINT(WINAPI* B2C2TsCallback)(USHORT pid, BYTE* packet);
// Called on the filter's thread when the picture's size or aspect code
// (3: 16:9) is known or changes.
typedef UINT(WINAPI* B2C2VideoCallback)(USHORT width, USHORT height, DWORD aspect);
// Called by the timeshift control with a notification code and a value.
typedef UINT(WINAPI* B2C2TimeshiftCallback)(DWORD code, DWORD value);

// The timeshift control's options (SetOption).
enum : long {
  kB2C2TimeshiftOption0 = 0,
  kB2C2TimeshiftOption1 = 1,
};

struct IB2C2MPEG2TunerCtrl2 : public IUnknown {
  // Frequencies in MHz for satellite, cable and ATSC tuners, in kHz for
  // terrestrial ones; the symbol rate in kBaud.
  virtual HRESULT STDMETHODCALLTYPE SetFrequency(long frequency) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSymbolRate(long symbolRate) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetLnbFrequency(long lnbMHz) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetFec(long fec) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPolarity(long polarity) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetLnbKHz(long lnbKHz) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetDiseqc(long diseqc) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetModulation(long modulation) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetGuardInterval(long interval) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetBandwidth(long bandwidthMHz) = 0;
  virtual HRESULT STDMETHODCALLTYPE Initialize() = 0;
  // Applies the settings made since the last call.
  virtual HRESULT STDMETHODCALLTYPE SetTunerStatus() = 0;
  // S_OK when the tuner is locked, a failure when not.
  virtual HRESULT STDMETHODCALLTYPE CheckLock() = 0;
  // *length: in, the caller's size in bytes; out, the bytes written.
  virtual HRESULT STDMETHODCALLTYPE GetTunerCapabilities(B2C2TunerCapabilities* caps, long* length) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSignalStrength(long* strength) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSignalQuality(long* quality) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSNR(float* snr) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBER(float* ber) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetUncorrectedBlocks(long* blocks) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTotalBlocks(long* blocks) = 0;
};

struct IB2C2MPEG2DataCtrl4 : public IUnknown {
  // *count: in, the PIDs given; out, the PIDs taken.
  virtual HRESULT STDMETHODCALLTYPE AddPIDs(long* count, long* pids) = 0;
  virtual HRESULT STDMETHODCALLTYPE DeletePIDs(long* count, long* pids) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetDataReceptionStats(long* packets, long* bytes) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResetDataReceptionStats() = 0;
  // A null callback stops the delivery.
  virtual HRESULT STDMETHODCALLTYPE SetTsCallback(B2C2TsCallback callback) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetHardwareMacAddress(BYTE mac[6]) = 0;
};

struct IB2C2MPEG2AVCtrl : public IUnknown {
  // The PIDs that the "Audio" and "Video" output pins carry.
  virtual HRESULT STDMETHODCALLTYPE SetAudioVideoPIDs(long audioPid, long videoPid) = 0;
  // A null callback stops the reports.
  virtual HRESULT STDMETHODCALLTYPE SetVideoCallback(B2C2VideoCallback callback) = 0;
};

struct IB2C2MPEG2TimeshiftCtrl : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetFilename(LPCWSTR path) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFilename(LPWSTR path, long size) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetCallback(B2C2TimeshiftCallback callback) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetOption(long option, long value) = 0;
  virtual HRESULT STDMETHODCALLTYPE StartTimeshift() = 0;
  virtual HRESULT STDMETHODCALLTYPE StopTimeshift() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFileSize(LONGLONG* size) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFilePosition(LONGLONG* position) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetFilePosition(LONGLONG position) = 0;
};

// The timeshift control's second interface: the same calls.
struct IB2C2MPEG2TimeshiftCtrl2 : public IB2C2MPEG2TimeshiftCtrl {};
