// The framework's named lists: of untyped pointers, of objects and of
// strings, and the typed wrapper over the pointer lists.
#pragma once

#include "List.h"

class CPtrList : public CList<void*, void*> {
  DECLARE_DYNAMIC(CPtrList)
 public:
  explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
  void Serialize(CArchive&) override { AfxThrowNotSupportedException(); }
};

class CObList : public CList<CObject*, CObject*> {
  DECLARE_SERIAL(CObList)
 public:
  explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&> {
  DECLARE_SERIAL(CStringList)
 public:
  explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
  POSITION AddHead(LPCTSTR newElement) { return CList::AddHead(CString(newElement)); }
  POSITION AddHead(const CString& newElement) { return CList::AddHead(newElement); }
  POSITION AddTail(LPCTSTR newElement) { return CList::AddTail(CString(newElement)); }
  POSITION AddTail(const CString& newElement) { return CList::AddTail(newElement); }
  using CList::AddHead;
  using CList::AddTail;
};

// A pointer list whose elements are TYPE (a pointer type); BASE_CLASS is
// CObList or CPtrList.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
  using BASE_TYPE = std::conditional_t<std::is_same_v<BASE_CLASS, CObList>, CObject*, void*>;

 public:
  explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}
  TYPE& GetHead() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetHead()); }
  TYPE GetHead() const { return static_cast<TYPE>(BASE_CLASS::GetHead()); }
  TYPE& GetTail() { return reinterpret_cast<TYPE&>(BASE_CLASS::GetTail()); }
  TYPE GetTail() const { return static_cast<TYPE>(BASE_CLASS::GetTail()); }
  TYPE RemoveHead() { return static_cast<TYPE>(BASE_CLASS::RemoveHead()); }
  TYPE RemoveTail() { return static_cast<TYPE>(BASE_CLASS::RemoveTail()); }
  POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(static_cast<BASE_TYPE>(newElement)); }
  POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(static_cast<BASE_TYPE>(newElement)); }
  TYPE& GetNext(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetNext(rPosition)); }
  TYPE GetNext(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetNext(rPosition)); }
  TYPE& GetPrev(POSITION& rPosition) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetPrev(rPosition)); }
  TYPE GetPrev(POSITION& rPosition) const { return static_cast<TYPE>(BASE_CLASS::GetPrev(rPosition)); }
  TYPE& GetAt(POSITION position) { return reinterpret_cast<TYPE&>(BASE_CLASS::GetAt(position)); }
  TYPE GetAt(POSITION position) const { return static_cast<TYPE>(BASE_CLASS::GetAt(position)); }
  void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, static_cast<BASE_TYPE>(newElement)); }
  POSITION InsertBefore(POSITION pos, TYPE newElement) {
    return BASE_CLASS::InsertBefore(pos, static_cast<BASE_TYPE>(newElement));
  }
  POSITION InsertAfter(POSITION pos, TYPE newElement) {
    return BASE_CLASS::InsertAfter(pos, static_cast<BASE_TYPE>(newElement));
  }
  POSITION Find(TYPE searchValue, POSITION startAfter = nullptr) const {
    return BASE_CLASS::Find(static_cast<BASE_TYPE>(searchValue), startAfter);
  }
};
