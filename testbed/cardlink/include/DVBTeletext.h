// Teletext of the card: once told the PID, page blocks reach OnTTXPage on the
// object's worker thread.
#pragma once

#include <memory>

#include "CardTypes.h"

class CSimFilterFeed;

class AFX_EXT_CLASS CDVBTeletext {
 public:
  CDVBTeletext();
  virtual ~CDVBTeletext();
  CDVBTeletext(const CDVBTeletext&) = delete;
  CDVBTeletext& operator=(const CDVBTeletext&) = delete;

  virtual void OnTTXPage(BYTE* data, int length);

  DVB_ERROR TTXOn(WORD pid);
  DVB_ERROR TTXOff();
  DVB_ERROR TTXModifySearchTable(WORD first, WORD second, WORD third, int request);

 protected:
  void StopDelivery();

 private:
  std::unique_ptr<CSimFilterFeed> m_pFeed;
};
