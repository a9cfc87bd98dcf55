// The framework's named arrays: of objects, of untyped pointers, of strings
// and of integers, and the typed wrapper over the pointer arrays.
#pragma once

#include "Array.h"

class CObArray : public CArray<CObject*, CObject*> {
  DECLARE_SERIAL(CObArray)
};

// Untyped pointers; not serialisable.
class CPtrArray : public CArray<void*, void*> {
  DECLARE_DYNAMIC(CPtrArray)
 public:
  void Serialize(CArchive&) override { AfxThrowNotSupportedException(); }
};

class CStringArray : public CArray<CString, const CString&> {
  DECLARE_SERIAL(CStringArray)
 public:
  INT_PTR Add(LPCTSTR newElement) { return CArray::Add(CString(newElement)); }
  INT_PTR Add(const CString& newElement) { return CArray::Add(newElement); }
};

class CByteArray : public CArray<BYTE, BYTE> {
  DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
  DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
  DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
  DECLARE_DYNAMIC(CUIntArray)
};

// A pointer array whose elements are TYPE (a pointer type); BASE_CLASS is
// CObArray or CPtrArray.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
  using BASE_TYPE = std::conditional_t<std::is_same_v<BASE_CLASS, CObArray>, CObject*, void*>;

 public:
  TYPE GetAt(INT_PTR nIndex) const { return static_cast<TYPE>(BASE_CLASS::GetAt(nIndex)); }
  TYPE& ElementAt(INT_PTR nIndex) { return reinterpret_cast<TYPE&>(BASE_CLASS::ElementAt(nIndex)); }
  void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, static_cast<BASE_TYPE>(ptr)); }
  void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, static_cast<BASE_TYPE>(newElement)); }
  INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(static_cast<BASE_TYPE>(newElement)); }
  INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
  void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
  void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) {
    BASE_CLASS::InsertAt(nIndex, static_cast<BASE_TYPE>(newElement), nCount);
  }
  const TYPE* GetData() const { return reinterpret_cast<const TYPE*>(BASE_CLASS::GetData()); }
  TYPE* GetData() { return reinterpret_cast<TYPE*>(BASE_CLASS::GetData()); }
  TYPE operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
  TYPE& operator[](INT_PTR nIndex) { return ElementAt(nIndex); }
};
