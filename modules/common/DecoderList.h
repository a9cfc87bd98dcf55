// The decoders installed for one input type, as the filter mapper lists them
// (merit 0x200001 and above, exact match, in the mapper's order), and adding
// one of them to a graph by its moniker's display name.
#pragma once

#include <windows.h>
#include <strmif.h>

#include <ComPtr.h>

#include <vector>

// One listed decoder: its moniker's display name and its friendly name.
struct DecoderEntry {
  WCHAR szDisplayName[260];
  WCHAR szFriendlyName[260];
};
static_assert(sizeof(DecoderEntry) == 1040);

using DecoderList = std::vector<DecoderEntry>;

// Appends every matching decoder with a string "FriendlyName" to list. No
// match is success with nothing appended; else the mapper's error.
HRESULT EnumDecoders(const GUID& majorType, const GUID& subtype, DecoderList* list);

// Parses the entry's display name into a moniker and adds its filter to the
// graph under the entry's friendly name.
HRESULT AddFilterByDisplayName(IFilterGraph2* graph, const DecoderEntry& entry, ComPtr<IBaseFilter>* filter);
