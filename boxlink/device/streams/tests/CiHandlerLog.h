// A common-interface handler that writes each call as one line of text, so
// that tests compare what a run of messages called with a list of lines.
// Texts are written with their zero bytes as "|", data in hex.
#pragma once

#include "CiMessage.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

class CCiHandlerLog : public cimessage::ICiMessageHandler {
 public:
  static std::string Text(const char* text, int length) {
    std::string s(text, size_t(length));
    for (char& c : s)
      if (c == '\0') c = '|';
    return s;
  }
  static std::string Hex(const BYTE* data, int length) {
    std::string s;
    char b[4];
    for (int i = 0; i < length; ++i) {
      snprintf(b, sizeof(b), "%02X", data[i]);
      s += b;
    }
    return s;
  }
  static std::string Line(const char* format, ...) __attribute__((format(printf, 1, 2))) {
    char b[512];
    va_list args;
    va_start(args, format);
    vsnprintf(b, sizeof(b), format, args);
    va_end(args);
    return b;
  }

  void OnSlotStatus(BYTE slot, BYTE status, _typ_SlotInfo* info) override {
    std::string line = Line("status %d %d", slot, status);
    if (info) {
      line += " ids";
      for (int i = 0; i < info->wCaIdCount; ++i) line += Line(" %04X", info->pCaIds[i]);
      line += " rest " + Hex(info->pRest, info->wRestLength);
    }
    Add(line);
  }
  void OnCAStatus(BYTE slot, BYTE tag, WORD value) override { Add(Line("ca %d %02X %d", slot, tag, value)); }
  void OnDisplayString(BYTE slot, char* text, WORD length) override {
    Add(Line("string %d ", slot) + Text(text, length));
  }
  void OnDisplayMenu(BYTE slot, WORD value, char* text, WORD length) override {
    Add(Line("menu %d %d ", slot, value) + Text(text, length));
  }
  void OnDisplayList(BYTE slot, WORD value, char* text, WORD length) override {
    Add(Line("list %d %d ", slot, value) + Text(text, length));
  }
  void OnSwitchOsdOff(BYTE slot) override { Add(Line("close %d", slot)); }
  void OnInputRequest(BYTE slot, int blind, BYTE answerLength, DWORD keys) override {
    Add(Line("input %d %d %d %05X", slot, blind, answerLength, unsigned(keys)));
  }
  void OnLscSetDescriptor(BYTE slot, _typ_ConnectionDesc* d) override {
    std::string line = Line("descriptor %d %d [", slot, int(d->dwType)) + Text(d->number, d->number.GetLength()) + "]";
    if (d->dwType == 3)
      for (const CString& s : d->further) line += " " + Text(s, s.GetLength());
    Add(line + Line(" %d %d", d->bRetryCount, d->bTimeout));
  }
  void OnLscConnect(BYTE slot) override { Add(Line("connect %d", slot)); }
  void OnLscDisconnect(BYTE slot) override { Add(Line("disconnect %d", slot)); }
  void OnLscSetParams(BYTE slot, BYTE bufferSize, BYTE timeout) override {
    Add(Line("params %d %d %d", slot, bufferSize, timeout));
  }
  void OnLscEnquireStatus(BYTE slot) override { Add(Line("enquire %d", slot)); }
  void OnLscGetNextBuffer(BYTE slot, BYTE phaseId) override { Add(Line("next %d %d", slot, phaseId)); }
  void OnLscTransmitBuffer(BYTE slot, BYTE phaseId, BYTE* data, WORD length) override {
    Add(Line("transmit %d %d ", slot, phaseId) + Hex(data, length));
  }

  virtual void Add(const std::string& line) { lines.push_back(line); }
  std::vector<std::string> lines;
};
