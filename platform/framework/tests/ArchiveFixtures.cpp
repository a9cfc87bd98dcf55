#include "ArchiveFixtures.h"

IMPLEMENT_SERIAL(CTestPoint, CObject, 1)
IMPLEMENT_SERIAL(CTestNode, CObject, 1)
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(CTestBag, CObject, 1)

std::set<void*>& LiveObjects() {
  static std::set<void*> live;
  return live;
}

void DeleteLiveObjects() {
  // Every tracked class derives from CObject alone, so the object starts
  // with its CObject part.
  while (!LiveObjects().empty()) delete static_cast<CObject*>(*LiveObjects().begin());
}

void CTestPoint::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    ar << m_x;
  else
    ar >> m_x;
}

void CTestNode::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_name << m_pLink;
  } else {
    ar >> m_name >> m_pLink;
  }
}

void CTestVersioned::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_wValue;
  } else {
    m_nLoadedSchema = ar.GetObjectSchema();
    ar >> m_wValue;
  }
}

void CTestBag::Serialize(CArchive& ar) {
  m_strings.Serialize(ar);
  m_bytes.Serialize(ar);
  m_words.Serialize(ar);
  m_objects.Serialize(ar);
  m_list.Serialize(ar);
  m_map.Serialize(ar);
}

Bytes StoreBytes(const std::function<void(CArchive&)>& write) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  Bytes bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

void LoadBytes(const Bytes& bytes, const std::function<void(CArchive&)>& read) {
  Bytes copy(bytes);
  CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
  CArchive ar(&file, CArchive::load);
  read(ar);
}

int ArchiveCause(const std::function<void()>& f) {
  try {
    f();
  } catch (CArchiveException* e) {
    int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes Text(const char* s) { return Bytes(s, s + strlen(s)); }
