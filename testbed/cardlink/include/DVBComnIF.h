// The card's common interface to the CAMs in its two slots. Open starts the
// object's worker thread, which hands the CAMs' messages, in order, to the
// virtual handlers; the order of the virtual functions is fixed, since
// applications override them by position.
#pragma once

#include <memory>

#include "CardTypes.h"

class CSimCiLink;

class AFX_EXT_CLASS CDVBComnIF {
 public:
  CDVBComnIF();
  virtual ~CDVBComnIF();
  CDVBComnIF(const CDVBComnIF&) = delete;
  CDVBComnIF& operator=(const CDVBComnIF&) = delete;

  // On the worker thread. A menu's or list's text is a run of zero-terminated
  // strings (title, subtitle, bottom line, then the entries) of length bytes.
  virtual void OnSlotStatus(BYTE slot, BYTE status, _typ_SlotInfo* info);
  virtual void OnCAStatus(BYTE slot, BYTE reply, WORD status);
  virtual void OnDisplayString(BYTE slot, char* text, WORD length);
  virtual void OnDisplayMenu(BYTE slot, WORD count, char* text, WORD length);
  virtual void OnDisplayList(BYTE slot, WORD count, char* text, WORD length);
  virtual void OnSwitchOsdOff(BYTE slot);
  virtual void OnInputRequest(BYTE slot, int blind, BYTE answerLength, DWORD key);
  virtual void OnTune(BYTE, WORD, WORD, WORD, WORD);
  virtual void OnLscConnect(BYTE slot);
  virtual void OnLscDisconnect(BYTE slot);

  // 0 when a common interface is there.
  DVB_ERROR Open();
  DVB_ERROR Close();
  DVB_ERROR ReadPSIFast(WORD serviceId);
  // 0 when the menu was asked for.
  DVB_ERROR EnterModuleMenu(BYTE slot);
  DVB_ERROR MenuAnswer(BYTE slot, BYTE choice);
  DVB_ERROR Answer(BYTE slot, char* text, BYTE length);

  // Converts the CAM's text of length characters for display: ends it at its
  // first line break (0x8A) and blanks the control codes 0x80-0x9F before
  // it; returns how many characters it consumed (the break included).
  static int ConvertCharBuf(CString& text, int length);

 protected:
  // Stops the worker; for destructors of derived classes whose handlers use
  // their own members.
  void StopDelivery();

 private:
  std::unique_ptr<CSimCiLink> m_pLink;
};
