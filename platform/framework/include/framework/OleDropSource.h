// COleDropSource: the side of a drag and drop that decides when it ends.
// The drag drops when the button that started it is released, and is
// cancelled by Esc or by pressing the other button.
#pragma once

#include "CmdTarget.h"

class COleDropSource : public CCmdTarget {
  DECLARE_DYNAMIC(COleDropSource)
 public:
  COleDropSource();

  // S_OK to go on, DRAGDROP_S_DROP or DRAGDROP_S_CANCEL.
  virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
  // DRAGDROP_S_USEDEFAULTCURSORS, or S_OK after setting a cursor.
  virtual SCODE GiveFeedback(DROPEFFECT dropEffect);

  // Notes which button starts the drag (called by COleDataSource::DoDragDrop).
  void BeginDrag();

  BEGIN_INTERFACE_PART(DropSource, IDropSource)
  STDMETHOD(QueryContinueDrag)(BOOL fEscapePressed, DWORD grfKeyState);
  STDMETHOD(GiveFeedback)(DWORD dwEffect);
  END_INTERFACE_PART(DropSource)
  DECLARE_INTERFACE_MAP()

 protected:
  DWORD m_dwButtonDrop;    // releasing it drops
  DWORD m_dwButtonCancel;  // pressing it cancels
};
