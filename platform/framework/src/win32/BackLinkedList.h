// A holder's list of objects that each point back to it (the documents of
// a template, the views of a document, the items of an OLE document): an
// object joins one holder at a time and leaves it with its pointer cleared.
#pragma once

#include "framework/Lists.h"

template <class TItem, class THolder>
void AfxJoinHolder(CPtrList& list, TItem* pItem, THolder* TItem::*pmHolder, THolder* pHolder) {
  ENSURE_ARG(pItem != nullptr && pItem->*pmHolder == nullptr);
  list.AddTail(pItem);
  pItem->*pmHolder = pHolder;
}

template <class TItem, class THolder>
void AfxLeaveHolder(CPtrList& list, TItem* pItem, THolder* TItem::*pmHolder, THolder* pHolder) {
  ENSURE_ARG(pItem != nullptr && pItem->*pmHolder == pHolder);
  POSITION pos = list.Find(pItem);
  if (pos != nullptr) list.RemoveAt(pos);
  pItem->*pmHolder = nullptr;
}
