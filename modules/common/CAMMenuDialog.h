// The modeless CAM menu dialog (template 1001): the CAM's menu, list or
// enquiry in its list box, the answer edit, digit buttons that choose, and
// status and slot lines. The common interface's handlers fill it from the
// CI worker thread through its window handle; its own actions run on the
// host's thread and go to the CAM through the common interface.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <framework/Dialog.h>

class CCommonInterface;

class CCAMMenuDialog : public CDialog {
 public:
  static constexpr UINT_PTR kTitleTimer = 4711;
  static constexpr UINT kTitlePeriodMs = 1000;
  // The longest answer the dialog sends.
  static constexpr int kAnswerBufferSize = 64;

  explicit CCAMMenuDialog(CCommonInterface& ci);
  CCAMMenuDialog(const CCAMMenuDialog&) = delete;
  CCAMMenuDialog& operator=(const CCAMMenuDialog&) = delete;

  // Creates it hidden, as a child of the desktop window.
  BOOL Create();

  // Makes the dialog the interface's menu window for its slot, titles it
  // "CAM Slot %d" and refreshes the slot line.
  void BindSlot();

  BYTE Slot() const { return m_bSlot; }
  void SetSlot(BYTE slot) { m_bSlot = slot & 1; }
  bool MenuRequested() const { return m_bMenuRequested; }
  void SetMenuRequested(bool requested) { m_bMenuRequested = requested; }

  // From the handlers (any thread).
  void SetStatusLine(const char* text);
  void SetSlotLine(const std::string& text);
  void ShowLines(const std::vector<std::string>& lines);
  void ClearList();
  void Show(bool visible);

  // The list's lines, for tests and the log.
  std::vector<std::string> Lines() const;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  afx_msg void OnListDoubleClick();
  afx_msg void OnDigit(UINT id);
  afx_msg void OnSendAnswer();
  afx_msg void OnCancelEnquiry();
  afx_msg void OnCloseDialog();
  afx_msg void OnTimer(UINT_PTR id);
  DECLARE_MESSAGE_MAP()

 private:
  void SetTitle();

  CCommonInterface& m_ci;
  volatile BYTE m_bSlot = 0;
  volatile bool m_bMenuRequested = false;
};
