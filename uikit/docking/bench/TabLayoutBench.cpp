// The tab strip's multi-row layout (greedy rows, the recursive balance and
// the stretch) of many tabs, timed beside a plain one-row layout of the
// same tabs in the same run. Width patterns that make a plain recursive
// balance search explode are among them, so a pathological balance shows
// as a ratio far above the others. Fails when a multi-row layout takes
// longer than its budget (a strip must lay out within a frame's time).
//
//   uikit_tab_bench [tabs, default 500] [iterations, default 200]
#include "TabLayout.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// A layout must not stall the window that shows it.
const double kBudgetMs = 10.0;

std::vector<int> Widths(int nPattern, int nCount) {
  std::vector<int> widths(nCount);
  unsigned seed = 2024u;
  for (int i = 0; i < nCount; ++i) {
    seed = seed * 1103515245u + 12345u;
    switch (nPattern) {
      case 0: widths[i] = 30 + static_cast<int>((seed >> 16) % 90); break;  // mixed captions
      case 1: widths[i] = 50; break;                                       // all alike
      default: widths[i] = i % 2 ? 31 : 97; break;                         // wide and narrow in turn
    }
  }
  return widths;
}

double MsPerLayout(const std::function<void()>& layout, int nIterations) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < nIterations; ++i) layout();
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / nIterations;
}

}  // namespace

int main(int argc, char** argv) {
  const int nCount = argc > 1 ? std::atoi(argv[1]) : 500;
  const int nIterations = argc > 2 ? std::atoi(argv[2]) : 200;
  if (nCount <= 0 || nIterations <= 0) {
    std::fprintf(stderr, "usage: uikit_tab_bench [tabs] [iterations]\n");
    return 2;
  }
  const char* const patterns[] = {"mixed 30-119", "all 50", "97 and 31 in turn"};
  const int strips[] = {400, 997, 1600};
  std::printf("%d tabs, %d layouts each; ms per layout\n", nCount, nIterations);
  std::printf("%-18s %6s %6s %12s %12s %8s\n", "widths", "strip", "rows", "multi-row", "one row", "ratio");
  int nFailed = 0;
  for (int p = 0; p < 3; ++p) {
    for (int nStrip : strips) {
      JVKTabLayoutStyle multi;
      multi.nLayout = jvkTabLayoutMultiRow;
      multi.rcHeaderMargins = JVKMakeTabRect(2, 3, 6, 0);
      JVKTabLayoutStyle single = multi;
      single.nLayout = jvkTabLayoutAutoSize;
      JVKTabStrip strip;
      for (int w : Widths(p, nCount)) {
        JVKTabLayoutItem item;
        item.nLength = w;
        strip.items.push_back(item);
      }
      strip.nSelected = nCount / 2;
      const JVKTabRect rc = JVKMakeTabRect(0, 0, nStrip + 8, 2000);
      JVKTabStrip a = strip, b = strip;
      const double dMulti = MsPerLayout([&] { JVKLayoutTabStrip(multi, rc, a); }, nIterations);
      const double dSingle = MsPerLayout([&] { JVKLayoutTabStrip(single, rc, b); }, nIterations);
      const BOOL bOver = dMulti > kBudgetMs;
      nFailed += bOver;
      std::printf("%-18s %6d %6zu %12.4f %12.4f %8.1f%s\n", patterns[p], nStrip, a.rows.size(), dMulti, dSingle,
                  dSingle > 0 ? dMulti / dSingle : 0.0, bOver ? "  OVER BUDGET" : "");
    }
  }
  std::printf("budget: %.1f ms per multi-row layout\n", kBudgetMs);
  return nFailed ? 1 : 0;
}
