// COleDropTarget: makes a window accept drops. Register it with the window
// (after AfxOleInit on the window's thread); derive and override the On...
// calls, whose points are in the window's client coordinates. The drag's
// data is offered as a COleDataObject. The registration ends with Revoke or
// with the object.
#pragma once

#include "CmdTarget.h"
#include "OleDataObject.h"
#include "Point.h"

class CWnd;

class COleDropTarget : public CCmdTarget {
  DECLARE_DYNAMIC(COleDropTarget)
 public:
  COleDropTarget();
  ~COleDropTarget() override;

  BOOL Register(CWnd* pWnd);
  void Revoke();

  // The effect a drop here would have, given the key state (MK_...); the
  // defaults refuse.
  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd);
  // TRUE when the data was taken.
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

  BEGIN_INTERFACE_PART(DropTarget, IDropTarget)
  STDMETHOD(DragEnter)(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect);
  STDMETHOD(DragOver)(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect);
  STDMETHOD(DragLeave)();
  STDMETHOD(Drop)(LPDATAOBJECT pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect);
  END_INTERFACE_PART(DropTarget)
  DECLARE_INTERFACE_MAP()

  HWND m_hWnd;  // the registered window

 protected:
  CPoint ClientPoint(POINTL pt) const;
  COleDataObject m_dataObject;  // the data of the drag under way
};
