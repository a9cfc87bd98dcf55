// condor's modeless CAM dialog (the common layer's template 1001, slot 1
// only): it polls the card's CAM through the source's CI interface, shows
// the CAM's menu, list or enquiry from the CAM data object, and sends the
// user's choice or answer back in the same object. The interface and the
// object belong to the module and may be absent (no CAM slot, device
// closed): the dialog asks for them at each use and then shows nothing.
// Runs on the host's thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <framework/Dialog.h>

#include <TwinhanInterfaces.h>

#include "CamDataObject.h"

class CCIMenuDialog : public CDialog {
 public:
  static constexpr UINT_PTR kPollTimer = 4711;
  static constexpr UINT kPollPeriodMs = 500;
  // Refresh waits this many times this long for the CAM to have something to show.
  static constexpr int kRefreshPolls = 24;
  static constexpr DWORD kRefreshPollMs = 500;
  // The host's menu item that carries the CAM's name.
  static constexpr UINT kHostCamMenuItem = 32843;

  using CIProvider = std::function<ITwinhanCI*()>;
  using ObjectProvider = std::function<CCamDataObject*()>;

  CCIMenuDialog(CIProvider ci, ObjectProvider object);
  CCIMenuDialog(const CCIMenuDialog&) = delete;
  CCIMenuDialog& operator=(const CCIMenuDialog&) = delete;

  // Creates it hidden, on the desktop.
  BOOL Create();
  // _EnterCAMDialog(2): names the CAM, moves under the host window and opens the CAM's menu.
  void Open(HWND hostWindow);
  // Shows what the CAM has to show, or hides (closes) when it has nothing.
  void Refresh();

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override { Show(false); }
  afx_msg void OnListDoubleClick();
  afx_msg void OnDigit(UINT id);
  afx_msg void OnSendAnswer();
  afx_msg void OnCancelEnquiry();
  afx_msg void OnCloseDialog();
  afx_msg void OnTimer(UINT_PTR id);
  DECLARE_MESSAGE_MAP()

 private:
  // The CI state; present 0 and state 0 when it cannot be read.
  void GetCIState(int* present, int* state);
  // Sends the selector's choice when it is one the CAM offered.
  void SendChoice(int choice);
  void SendAnswer();
  void Show(bool visible) { ::ShowWindow(m_hWnd, visible ? SW_SHOW : SW_HIDE); }
  void ShowLines(const std::vector<std::string>& lines);
  void SetStatusLine(const char* text) { ::SetDlgItemTextA(m_hWnd, kStatusId, text); }

  static constexpr int kStatusId = 1214;

  CIProvider m_ci;
  ObjectProvider m_object;
  int m_iMmiType = 0;  // 0 none, 1 menu, 2 list, 3 enquiry
  bool m_bMenuOpen = false;
};
