// The property exchange: the one persistence interface of the toolkit. An
// object walks its fields and hands each to an exchanger with a key name, a
// type code (PropExchangeTypes.h), the field's address and a default; the
// exchanger knows its direction and writes the field or overwrites it.
//
// The base class gives the behaviour of exchangers whose values are named:
// counts as the key "Count", binary blocks as strings of letter pairs, classes
// by name, embedded objects through a memory archive stored as a block. The
// archive form (PropExchangeArchive.h) overrides most of it.
#pragma once

#include <Framework.h>

#include "PropExchangeTypes.h"

class CJVKPropExchangeEnumerator;

class CJVKPropExchange : public CCmdTarget {
 public:
  CJVKPropExchange(const CJVKPropExchange&) = delete;
  CJVKPropExchange& operator=(const CJVKPropExchange&) = delete;

  // One value. pValue points at a variable of the type; pDefault at a value
  // of the same type (a plain character string for JVKPX_STRING) or is null.
  virtual BOOL ExchangeValue(LPCTSTR pszName, int nType, void* pValue, const void* pDefault) = 0;
  // A block of bytes. Loading with a null pData allocates the block (freed
  // by the caller with free()); with a caller buffer smaller than the stored
  // block it fails.
  virtual BOOL ExchangeBinary(LPCTSTR pszName, void*& pData, DWORD& nBytes);
  virtual BOOL ExchangeClass(LPCTSTR pszName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass);
  // The object's class under "Class"; loading creates the object.
  virtual BOOL ExchangeObject(CObject*& pObject, CRuntimeClass* pRequiredClass);
  // An archive through which an object's Serialize exchanges one key.
  virtual CArchive* OpenArchive(LPCTSTR pszName);
  virtual void CloseArchive(LPCTSTR pszName, CArchive* pArchive);
  // A new exchanger (reference count 1) for a named group of values.
  virtual CJVKPropExchange* OpenSection(LPCTSTR pszName) = 0;
  virtual void UseDefaultOnUnread() { m_bUseDefaultOnUnread = TRUE; }
  virtual void WriteCount(DWORD nCount);
  virtual DWORD ReadCount();
  virtual void WriteBinary(LPCTSTR pszName, const BYTE* pData, UINT nBytes);
  virtual UINT ReadBinary(LPCTSTR pszName, BYTE* pData, UINT nBytes);
  // True when a value equal to its default may be left unwritten.
  virtual BOOL CanSkipDefaults() const { return TRUE; }
  virtual BOOL IsBinaryForm() const { return FALSE; }
  virtual BOOL BeforeExchange();
  // A new enumerator over the sections pszName0, pszName1, ...; the caller
  // deletes it.
  virtual CJVKPropExchangeEnumerator* CreateEnumerator(LPCTSTR pszName);

  BOOL IsLoading() const { return m_bLoading; }
  // The key "Schema" (a long, default 9) into m_dwSchema.
  void ExchangeSchema();

  void* m_pContext = nullptr;
  BOOL m_bLoading;
  DWORD m_dwSchema = kDefaultSchema;
  BOOL m_bChildSection = FALSE;
  BOOL m_bUseDefaultOnUnread = FALSE;
  BOOL m_bInitialized = FALSE;
  BOOL m_bUseDefaultOnLoad = TRUE;
  BOOL m_bUseDefaultOnSave = TRUE;

  static const DWORD kDefaultSchema = 9;

 protected:
  explicit CJVKPropExchange(BOOL bLoading) : m_bLoading(bLoading) {}
  // Gives a new section what it inherits from this exchanger.
  void InitSection(CJVKPropExchange* pSection) const;
  // Every block a load hands to the caller comes from here (freed with free()).
  virtual void* AllocateBlock(DWORD nBytes);
};

// Releases a section at scope end.
class CJVKPropExchangeSectionHolder {
 public:
  explicit CJVKPropExchangeSectionHolder(CJVKPropExchange* pSection = nullptr) : m_pSection(pSection) {}
  ~CJVKPropExchangeSectionHolder() {
    if (m_pSection != nullptr) m_pSection->InternalRelease();
  }
  CJVKPropExchangeSectionHolder(const CJVKPropExchangeSectionHolder&) = delete;
  CJVKPropExchangeSectionHolder& operator=(const CJVKPropExchangeSectionHolder&) = delete;

  CJVKPropExchange* operator->() const { return m_pSection; }
  CJVKPropExchange* Get() const { return m_pSection; }

 private:
  CJVKPropExchange* m_pSection;
};

// Walks numbered sections:
//   position = Start(n, compact); while (position) { section = Next(position); ...; release }
class CJVKPropExchangeEnumerator {
 public:
  CJVKPropExchangeEnumerator(CJVKPropExchange* pExchange, LPCTSTR pszName);
  virtual ~CJVKPropExchangeEnumerator() = default;
  CJVKPropExchangeEnumerator(const CJVKPropExchangeEnumerator&) = delete;
  CJVKPropExchangeEnumerator& operator=(const CJVKPropExchangeEnumerator&) = delete;

  // Exchanges the count (compact: as a bare count; else the key "Count") and
  // returns the first position, 0 when there is nothing to walk.
  virtual DWORD Start(DWORD nCount, BOOL bCompact = TRUE);
  // Opens the section of this position and advances it (0 after the last).
  virtual CJVKPropExchange* Next(DWORD& nPosition);

  DWORD GetCount() const { return m_nCount; }

 private:
  CJVKPropExchange* m_pExchange;
  CString m_strName;
  DWORD m_nCount = 0;
};

BOOL PX_Long(CJVKPropExchange* pPX, LPCTSTR pszName, LONG& nValue);
BOOL PX_Long(CJVKPropExchange* pPX, LPCTSTR pszName, LONG& nValue, LONG nDefault);
BOOL PX_Bool(CJVKPropExchange* pPX, LPCTSTR pszName, BOOL& bValue, BOOL bDefault);
BOOL PX_String(CJVKPropExchange* pPX, LPCTSTR pszName, CString& strValue);
BOOL PX_String(CJVKPropExchange* pPX, LPCTSTR pszName, CString& strValue, LPCTSTR pszDefault);
BOOL PX_Size(CJVKPropExchange* pPX, LPCTSTR pszName, SIZE& szValue, SIZE szDefault);
BOOL PX_Rect(CJVKPropExchange* pPX, LPCTSTR pszName, RECT& rcValue, RECT rcDefault);
// Serializes the object through OpenArchive(pszName); an archive or OLE
// exception thrown inside turns into FALSE.
BOOL PX_Object(CJVKPropExchange* pPX, LPCTSTR pszName, CObject* pObject);
