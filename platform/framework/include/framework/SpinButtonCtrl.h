// CSpinButtonCtrl: the up-down control.
#pragma once

#include "Wnd.h"

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
 public:
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CWnd::Create(UPDOWN_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
  }
  BOOL SetAccel(int nAccel, UDACCEL* pAccel) {
    return static_cast<BOOL>(SendMessage(UDM_SETACCEL, nAccel, reinterpret_cast<LPARAM>(pAccel)));
  }
  UINT GetAccel(int nAccel, UDACCEL* pAccel) const {
    return static_cast<UINT>(SendMessage(UDM_GETACCEL, nAccel, reinterpret_cast<LPARAM>(pAccel)));
  }
  int SetBase(int nBase) { return static_cast<int>(SendMessage(UDM_SETBASE, nBase, 0)); }
  UINT GetBase() const { return static_cast<UINT>(SendMessage(UDM_GETBASE, 0, 0)); }
  CWnd* SetBuddy(CWnd* pWndBuddy) {
    return FromHandle(
        reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWndBuddy->GetSafeHwnd()), 0)));
  }
  CWnd* GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY, 0, 0))); }
  int SetPos(int nPos) { return static_cast<int>(static_cast<short>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(nPos, 0)))); }
  int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS, 0, 0)); }
  int SetPos32(int nPos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, nPos)); }
  int GetPos32(LPBOOL lpbError = nullptr) const {
    return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(lpbError)));
  }
  void SetRange(short nLower, short nUpper) { SendMessage(UDM_SETRANGE, 0, MAKELPARAM(nUpper, nLower)); }
  void SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, nLower, nUpper); }
  DWORD GetRange() const { return static_cast<DWORD>(SendMessage(UDM_GETRANGE, 0, 0)); }
  void GetRange32(int& lower, int& upper) const {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
  }
};
