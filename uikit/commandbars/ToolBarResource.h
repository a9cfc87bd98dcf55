// Portable: the button list of a tool-bar resource (RT_TOOLBAR): a WORD
// version, the image width and height, the count, then one WORD command id
// per button (0 starts a new group).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct JVKToolBarResource {
  unsigned nVersion = 0;
  int cxImage = 0;
  int cyImage = 0;
  std::vector<unsigned> ids;
};

// False when the data is shorter than its header or its count says.
bool JVKParseToolBarResource(const void* pData, size_t cbData, JVKToolBarResource& out);
