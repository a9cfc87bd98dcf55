// Helpers and small serialisable classes for the archive tests.
#pragma once

#include <Framework.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

// Every instance of the test classes made on the heap (by loading), so that a
// test or the fuzzer can free what a failed load left behind.
std::set<void*>& LiveObjects();
void DeleteLiveObjects();

#define TRACK_HEAP_INSTANCES()           \
 public:                                 \
  static void* operator new(size_t n) {  \
    void* p = ::operator new(n);         \
    LiveObjects().insert(p);             \
    return p;                            \
  }                                      \
  static void operator delete(void* p) { \
    LiveObjects().erase(p);              \
    ::operator delete(p);                \
  }

// A point: one LONG.
class CTestPoint : public CObject {
  DECLARE_SERIAL(CTestPoint)
 public:
  TRACK_HEAP_INSTANCES()
  CTestPoint() = default;
  explicit CTestPoint(LONG x) : m_x(x) {}
  void Serialize(CArchive& ar) override;
  LONG m_x = 0;
};

// A named node that refers to another object (not owned).
class CTestNode : public CObject {
  DECLARE_SERIAL(CTestNode)
 public:
  TRACK_HEAP_INSTANCES()
  CTestNode() = default;
  void Serialize(CArchive& ar) override;
  CString m_name;
  CObject* m_pLink = nullptr;
};

// A class with a versionable schema (currently 2) that remembers the schema it
// was loaded with.
class CTestVersioned : public CObject {
  DECLARE_SERIAL(CTestVersioned)
 public:
  TRACK_HEAP_INSTANCES()
  CTestVersioned() = default;
  void Serialize(CArchive& ar) override;
  UINT m_nLoadedSchema = 0;
  WORD m_wValue = 0;
};

// A bag of collections, for streams that exercise every loader.
class CTestBag : public CObject {
  DECLARE_SERIAL(CTestBag)
 public:
  TRACK_HEAP_INSTANCES()
  CTestBag() = default;
  void Serialize(CArchive& ar) override;
  CStringArray m_strings;
  CByteArray m_bytes;
  CWordArray m_words;
  CObArray m_objects;  // not owned
  CStringList m_list;
  CMapStringToString m_map;
};

Bytes StoreBytes(const std::function<void(CArchive&)>& write);
void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& read);
// The cause of the CArchiveException that f raises, or -1 when none.
int ArchiveCause(const std::function<void()>& f);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Text(const char* s);
