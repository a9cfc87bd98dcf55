// Runs an exchange over a memory archive: storing returns the bytes written,
// loading reads the given bytes.
#pragma once

#include <Framework.h>

#include <cstdlib>
#include <vector>

#include "PropExchangeArchive.h"

using PropBytes = std::vector<BYTE>;

template <class Fn>
PropBytes StoreExchange(Fn fn) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    CJVKPropExchangeArchive px(ar);
    fn(px, ar);
    ar.Close();
  }
  PropBytes bytes(static_cast<size_t>(file.GetLength()));
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

// fn(px, ar); returns the number of stream bytes left unread afterwards.
template <class Fn>
size_t LoadExchange(const PropBytes& bytes, Fn fn) {
  PropBytes copy(bytes);
  CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
  CArchive ar(&file, CArchive::load);
  CJVKPropExchangeArchive px(ar);
  fn(px, ar);
  ar.Flush();
  return static_cast<size_t>(file.GetLength() - file.GetPosition());
}
