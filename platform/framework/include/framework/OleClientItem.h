// CDocItem: an item of a document (COleDocument keeps them). COleClientItem:
// an OLE object embedded or linked in a document, reached through its
// IOleObject (m_lpObject, released with the item), in one of the states of
// an item (empty, loaded, open, active in place, active with its own menus).
// AfxOleSetEditMenu puts the item's verbs into the Edit menu.
#pragma once

#include <ole2.h>

#include "CmdTarget.h"

class CDocument;
class CMenu;
class COleDocument;

class CDocItem : public CCmdTarget {
  DECLARE_DYNAMIC(CDocItem)
 public:
  CDocItem();
  ~CDocItem() override;
  CDocument* GetDocument() const;

 protected:
  friend class COleDocument;
  COleDocument* m_pDocument;
};

class COleClientItem : public CDocItem {
  DECLARE_DYNAMIC(COleClientItem)
 public:
  enum ItemState { emptyState, loadedState, openState, activeState, activeUIState };

  // Joins pContainerDoc's items when one is given.
  explicit COleClientItem(COleDocument* pContainerDoc = nullptr);
  ~COleClientItem() override;

  ItemState GetItemState() const { return m_nItemState; }
  COleDocument* GetDocument() const { return m_pDocument; }
  // Gives the item its object (one reference taken over); loaded state.
  void AttachObject(LPOLEOBJECT lpObject);

  LPOLEOBJECT m_lpObject;
  ItemState m_nItemState;
};

// Makes the item at position iMenuItem of pMenu the item's "Object" entry:
// with one verb an entry "<verb> <type> &Object" giving nIDVerbMin; with more
// a popup "<type> &Object" of the verbs (nIDVerbMin, nIDVerbMin + 1 ... up
// to nIDVerbMax when given), followed by "&Convert..." when nIDConvert is
// not 0; without an item or object a disabled "&Object". Only verbs meant
// for the container's menu count.
void AFXAPI AfxOleSetEditMenu(COleClientItem* pClient, CMenu* pMenu, UINT iMenuItem, UINT nIDVerbMin,
                              UINT nIDVerbMax = 0, UINT nIDConvert = 0);
