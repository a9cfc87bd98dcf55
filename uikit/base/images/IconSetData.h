// The stored form of one command's icons, as the image manager's per-set
// exchange and its clipboard format carry it, without the drawing objects:
// "CheckSum" (the text "CJVKImageManagerIcons"), then the numbered sections
// "Icon0", "Icon1", ... each with "Width" (a long) and the object "Data"
// (CJVKIconData). Portable, so that every byte read from a store or another
// process goes through the same checked readers.
#pragma once

#include <vector>

#include "IconData.h"
#include "PropExchange.h"

struct CJVKIconSetEntry {
  LONG m_nWidth = 16;
  CJVKIconData m_data;
};

// The text under "CheckSum" that marks a stream of icons.
extern const TCHAR JVK_ICONSET_CHECKSUM[];

// Storing writes the entries in order. Loading replaces them by the stored
// ones; a "CheckSum" other than JVK_ICONSET_CHECKSUM throws the archive
// exception badClass, and an icon whose data is refused (a bad bitmap block)
// or cut short throws genericException; either way nothing half-read is
// kept.
void JVKExchangeIconSet(CJVKPropExchange* pPX, std::vector<CJVKIconSetEntry>& entries);
