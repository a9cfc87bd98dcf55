// The common interface: the box drives the CAM slots, and this object
// speaks with it. It opens the common-interface link (stream slot 35),
// sends the user's answers and requests as box commands, and receives the
// box's common-interface messages, which its worker thread decodes and
// hands, in order, to the virtual handlers below. Applications derive from
// it and override the handlers they need; the order of the virtual
// functions is fixed, since applications override them by position.
// Slot 35 is shared: only one object holds the link.
#pragma once

#include "CiTypes.h"
#include "DVBError.h"

#include <Framework.h>

class CConsumerLink;
struct PacketDesc;

class AFX_EXT_CLASS CDVBComnIF {
 public:
  CDVBComnIF();
  virtual ~CDVBComnIF();
  CDVBComnIF(const CDVBComnIF&) = delete;
  CDVBComnIF& operator=(const CDVBComnIF&) = delete;

  // The handlers, on the worker thread. "slot" is the CAM slot (0-based),
  // or 0xFF for messages about no particular slot. Texts are handed on as
  // the box sends them: a menu's or list's text is a run of zero-terminated
  // strings (title, subtitle, bottom line, then the entries), and the
  // message is held with a zero after its end.
  virtual void OnSlotStatus(BYTE slot, BYTE status, _typ_SlotInfo* info);  // info only for status 2 and 3
  virtual void OnCAStatus(BYTE slot, BYTE tag, WORD value);
  virtual void OnDisplayString(BYTE slot, char* text, WORD length);
  virtual void OnDisplayMenu(BYTE slot, WORD value, char* text, WORD length);
  virtual void OnDisplayList(BYTE slot, WORD value, char* text, WORD length);
  virtual void OnSwitchOsdOff(BYTE slot);
  virtual void OnInputRequest(BYTE slot, int blind, BYTE answerLength, DWORD keys);
  // No message calls these three.
  virtual void OnTune(BYTE, WORD, WORD, WORD, WORD);
  virtual void OnReplace(BYTE, BYTE, WORD, WORD);
  virtual void OnClearReplace(BYTE, BYTE);
  // The CAM's low-speed communication (its dial-up return channel).
  virtual void OnLscSetDescriptor(BYTE slot, _typ_ConnectionDesc* descriptor);
  virtual void OnLscConnect(BYTE slot);
  virtual void OnLscDisconnect(BYTE slot);
  virtual void OnLscSetParams(BYTE slot, BYTE bufferSize, BYTE timeout);
  virtual void OnLscEnquireStatus(BYTE slot);
  virtual void OnLscGetNextBuffer(BYTE slot, BYTE phaseId);
  virtual void OnLscTransmitBuffer(BYTE slot, BYTE phaseId, BYTE* data, WORD length);

  // The link: 1 without a box; 6 when the box refuses it, 7 when the
  // command fails (the link then still counts as open, so Close undoes
  // it). Close: 5 when not open.
  DVB_ERROR Open();
  DVB_ERROR Close();
  // Requests to the CAM; 7 when the box command fails.
  DVB_ERROR MenuAnswer(BYTE slot, BYTE choice);
  DVB_ERROR SetProgram(WORD program);
  DVB_ERROR EnterModuleMenu(BYTE slot);
  DVB_ERROR ReadPSIFast(WORD program);
  DVB_ERROR GetSlotStatus(BYTE slot);
  DVB_ERROR CloseMMI(BYTE slot);
  // At most 30 characters of the text are sent.
  DVB_ERROR Answer(BYTE slot, char* text, BYTE length);
  DVB_ERROR CommsReply(BYTE slot, BYTE id, BYTE value);
  // At most 254 bytes (else 3), sent in pieces of 30.
  DVB_ERROR DataReceived(BYTE slot, BYTE phaseId, BYTE* data, WORD length);
  DVB_ERROR AskRelease();
  DVB_ERROR GetCIVersion(CString& first, CString& second);

  // Cuts a CAM text at its first line break (0x8A) and returns where the
  // next line starts; blanks the control characters before it.
  static int ConvertCharBuf(CString& text, int length);

  static void ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);
  void TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);
  int StartThread(int priority);
  int StopThread(DWORD timeoutMs);
  int IsRunning();

 protected:
  // Removes the slot (no box needed; a slot that another object has taken
  // over since stays with it) and stops the worker; for destructors
  // of derived classes whose handlers use their own members.
  void StopDelivery();

 private:
  class CHandlerCalls;
  void ProcessCiData(BYTE* message, int length);
  static void HandlePacket(void* self, const PacketDesc& packet);

  CConsumerLink* m_pConsumer;
  volatile BYTE m_bSlot;  // 35 while the link is open
};
