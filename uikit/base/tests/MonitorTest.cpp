// Work areas: the monitor's where the functions are bound and a monitor
// holds the place, the primary work area otherwise; binding is all or none
// and is not retried.
#include "MultiMonitor.h"
#include "Refusal.h"

#include <gtest/gtest.h>

namespace {

CRect PrimaryWorkArea() {
  CRect rect;
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0);
  return rect;
}

TEST(Monitor, PlacesOnAMonitorGetItsWorkArea) {
  CJVKMultiMonitor monitor;
  ASSERT_TRUE(monitor.IsBound());
  CRect work;
  EXPECT_TRUE(monitor.GetWorkAreaFromRect(work, CRect(10, 10, 50, 50)));
  EXPECT_FALSE(work.IsRectEmpty());
  EXPECT_TRUE(work.PtInRect(CPoint(10, 10)));
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", WS_POPUP, CRect(20, 20, 60, 60), nullptr, 0));
  CRect fromWindow;
  EXPECT_TRUE(monitor.GetWorkAreaFromWindow(fromWindow, &wnd));
  EXPECT_EQ(fromWindow, work);
  wnd.DestroyWindow();
  CRect fromCursor;
  monitor.GetWorkAreaFromCursor(fromCursor);
  EXPECT_FALSE(fromCursor.IsRectEmpty());
}

TEST(Monitor, NoMonitorHereMeansThePrimaryWorkArea) {
  CJVKMultiMonitor monitor;
  CRect work(1, 2, 3, 4);
  EXPECT_FALSE(monitor.GetWorkAreaFromRect(work, CRect(90000, 90000, 90010, 90010)));
  EXPECT_EQ(work, PrimaryWorkArea());
  EXPECT_FALSE(monitor.GetWorkAreaFromWindow(work, nullptr));
  EXPECT_EQ(work, PrimaryWorkArea());
}

TEST(Monitor, OneMissingNameClearsTheWholeBindingOnce) {
  const char* const names[] = {"GetSystemMetrics", "MonitorFromWindow", "MonitorFromRect", "MonitorFromPoint",
                               "GetMonitorInfoA"};
  for (const char* name : names) {
    CRefusal refusal({std::string("user32!") + name});
    CJVKMultiMonitor monitor;
    EXPECT_FALSE(monitor.IsBound()) << name;
    EXPECT_EQ(monitor.m_pfnGetSystemMetrics, nullptr) << name;
    EXPECT_EQ(monitor.m_pfnMonitorFromRect, nullptr) << name;
    CRect work;
    EXPECT_FALSE(monitor.GetWorkAreaFromRect(work, CRect(10, 10, 50, 50))) << name;
    EXPECT_EQ(work, PrimaryWorkArea());
    const int calls = CRefusal::Calls();
    monitor.GetWorkAreaFromCursor(work);
    EXPECT_EQ(CRefusal::Calls(), calls) << "binding is not tried again";
  }
  CRefusal refusal({"user32"});
  CJVKMultiMonitor monitor;
  EXPECT_FALSE(monitor.IsBound());
}

}  // namespace
