// The editor's list reading into multi-selection trees beside plain tree
// views filled the same way, run on demand under Wine (not a test):
//   ninja -C build/windows-x64 uikit_tree_bench
//   wine build/windows-x64/uikit/base/controls/bench/uikit_tree_bench.exe [rounds, default 1]
// A list of 10,000 channels (100 providers of 80 TV and 20 radio channels)
// with 2,000 favourites (20 groups of 99 channels spread over the list) is
// made in memory. Each round reads it with the list reader into a pane group
// of CJVTreeCtrl trees and into one of plain tree views, with redrawing off:
// first the list alone (inserting), then the favourites alone (each resolved
// by the find-by-ids path, a whole-word search through the TV and Radio
// trees), then the trees are emptied. Prints the best round of each in ms.
#include <Framework.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ListFileCodec.h"
#include "ListFixtures.h"
#include "MemoryListFileSystem.h"
#include "TreeWindowPaneGroup.h"

using namespace fixtures;

CWinApp theBenchApp("UikitTreeBench");

namespace {

const char kList[] = "C:\\bench\\big.qcx";
const char kFav[] = "C:\\bench\\big.fav2";
const int kProviders = 100, kTvPerProvider = 80, kRadioPerProvider = 20;
const int kFavGroups = 20, kFavPerGroup = 99;

struct ListFiles {
  Bytes list, favourites;
  int channels = 0, favouriteEntries = 0;
};

ListFiles MakeFiles() {
  ListFiles files;
  std::vector<DVB_CHANNELS> channels;
  Bytes records;
  uint32_t tv = 0, radio = 0;
  for (int p = 0; p < kProviders; ++p) {
    char name[32];
    snprintf(name, sizeof(name), "Transponder %03d", p);
    Put(records, Provider(name, 0));
    for (int c = 0; c < kTvPerProvider + kRadioPerProvider; ++c) {
      const int n = static_cast<int>(channels.size());
      const uint8_t kind = c < kTvPerProvider ? 1 : 2;
      snprintf(name, sizeof(name), kind == 1 ? "Channel %05d" : "Radio %05d", n);
      channels.push_back(Channel(name, kind, static_cast<uint16_t>(n + 1), 1, static_cast<uint16_t>(p + 1)));
      Put(records, channels.back());
      ++(kind == 1 ? tv : radio);
    }
  }
  files.list = QcxFile(tv, radio, 0, {});
  files.list.insert(files.list.end(), records.begin(), records.end());
  files.channels = static_cast<int>(channels.size());
  uint32_t seed = 12345;
  for (int g = 0; g < kFavGroups; ++g) {
    char name[32];
    snprintf(name, sizeof(name), "Favourites %02d", g);
    Put(files.favourites, Favourite(name, 0));
    for (int i = 0; i < kFavPerGroup; ++i) {
      seed = seed * 1103515245u + 12345u;
      const DVB_CHANNELS& c = channels[(seed >> 8) % channels.size()];
      Put(files.favourites, Favourite(Name(c).c_str(), 1, c.serviceId, c.networkId, c.transportStreamId));
    }
  }
  files.favouriteEntries = kFavGroups * (kFavPerGroup + 1);
  return files;
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Round {
  double insert, favourites, empty;
  int items, resolved;
};

Round ReadOnce(CWnd* pParent, BOOL bMultiSelectTrees, const ListFiles& files) {
  CTreeWindowPaneGroup group(pParent, bMultiSelectTrees);
  group.m_clipboard.files[0].path = kList;
  CMemoryListFileSystem disk;
  disk.files[kList] = files.list;
  CListFileCodec codec(group, disk);
  Round round = {};

  group.SetRedraw(FALSE);
  double start = Now();
  codec.ReadChannelFile(kReadReplace);  // no favourites file yet
  round.insert = Now() - start;

  disk.files[kFav] = files.favourites;
  start = Now();
  codec.ReadFavourites(kReadReplace);
  round.favourites = Now() - start;
  group.SetRedraw(TRUE);

  for (PaneKind kind : {kPaneTv, kPaneRadio, kPaneFav}) round.items += group.GetTree(kind).GetCount();
  CChannelTree& fav = group.GetTree(kPaneFav);
  for (ChannelTreeItem g = fav.GetRootItem(); g; g = fav.GetNextSiblingItem(g))
    for (ChannelTreeItem c = fav.GetChildItem(g); c; c = fav.GetNextSiblingItem(c))
      // A resolved favourite took its channel's whole record, PIDs included.
      if (fav.GetItemData(c)->m_record.videoPid == 0x100 + fav.GetItemData(c)->m_record.serviceId) ++round.resolved;

  start = Now();
  group.SetRedraw(FALSE);
  for (PaneKind kind : {kPaneTv, kPaneRadio, kPaneFav}) DeleteAllTreeItems(group.GetTree(kind));
  group.SetRedraw(TRUE);
  round.empty = Now() - start;
  return round;
}

Round Best(const Round& a, const Round& b) {
  return {std::min(a.insert, b.insert), std::min(a.favourites, b.favourites), std::min(a.empty, b.empty), b.items,
          b.resolved};
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 1;
  AfxWinInit(::GetModuleHandle(nullptr), nullptr, ::GetCommandLine(), SW_SHOW);
  CWnd parent;
  parent.CreateEx(0, AfxRegisterWndClass(0), "Tree bench", WS_POPUP | WS_VISIBLE, 0, 0, 900, 600, nullptr, nullptr);
  const ListFiles files = MakeFiles();

  Round jv = {1e9, 1e9, 1e9, 0, 0}, plain = jv;
  for (int r = 0; r < rounds; ++r) {
    plain = Best(plain, ReadOnce(&parent, FALSE, files));
    jv = Best(jv, ReadOnce(&parent, TRUE, files));
  }
  parent.DestroyWindow();

  printf("%d channels in %d providers, %d favourites; best of %d rounds, redraw off\n", files.channels, kProviders,
         files.favouriteEntries, rounds);
  printf("%-44s %14s %14s\n", "", "CJVTreeCtrl", "plain tree");
  printf("%-44s %11.1f ms %11.1f ms\n", "read the list (insert the channels)", jv.insert, plain.insert);
  printf("%-44s %11.1f ms %11.1f ms\n", "read the favourites (find by ids)", jv.favourites, plain.favourites);
  printf("%-44s %11.1f ms %11.1f ms\n", "empty the three trees", jv.empty, plain.empty);
  printf("%-44s %11.1f ms %11.1f ms\n", "together", jv.insert + jv.favourites + jv.empty,
         plain.insert + plain.favourites + plain.empty);
  printf("items in the trees: %d and %d; favourites resolved: %d and %d\n", jv.items, plain.items, jv.resolved,
         plain.resolved);
  return jv.items == plain.items && jv.resolved == plain.resolved ? 0 : 1;
}
