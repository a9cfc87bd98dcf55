#include <Framework.h>

#include <gtest/gtest.h>

namespace {

struct DateCase {
  int year, month, day, hour, minute, second;
  double date;
};

// Days before 30 December 1899 keep their time of day as a positive
// fraction: -1.25 is the day before, at 06:00.
const DateCase kDates[] = {
    {1899, 12, 30, 0, 0, 0, 0.0},
    {1899, 12, 29, 6, 0, 0, -1.25},
    {1899, 12, 31, 18, 0, 0, 1.75},
    {1900, 3, 1, 0, 0, 0, 61.0},
    {2000, 1, 1, 0, 0, 0, 36526.0},
    {2026, 12, 10, 12, 0, 0, 46366.5},
    {100, 1, 1, 0, 0, 0, -657434.0},
    {9999, 12, 31, 23, 59, 59, 2958465.0 + 86399.0 / 86400},
    {1800, 6, 15, 23, 59, 59, -36357.0 - 86399.0 / 86400},
};

TEST(OleDateTimeTest, DatesBecomeOleNumbersAndBack) {
  for (const DateCase& c : kDates) {
    COleDateTime dt(c.year, c.month, c.day, c.hour, c.minute, c.second);
    ASSERT_EQ(dt.GetStatus(), COleDateTime::valid) << c.year << "-" << c.month << "-" << c.day;
    EXPECT_NEAR(dt.m_dt, c.date, 1e-9) << c.year << "-" << c.month << "-" << c.day;
    COleDateTime back(c.date);
    EXPECT_EQ(back.GetYear(), c.year);
    EXPECT_EQ(back.GetMonth(), c.month);
    EXPECT_EQ(back.GetDay(), c.day);
    EXPECT_EQ(back.GetHour(), c.hour);
    EXPECT_EQ(back.GetMinute(), c.minute);
    EXPECT_EQ(back.GetSecond(), c.second) << c.date;
  }
  // A hair before midnight rounds to the next day's 00:00:00.
  COleDateTime nearlyMidnight(36526.0 - 1e-7);
  EXPECT_EQ(nearlyMidnight.GetDay(), 1);
  EXPECT_EQ(nearlyMidnight.GetHour(), 0);
  EXPECT_EQ(COleDateTime(2026, 12, 10, 0, 0, 0).GetDayOfWeek(), 5);  // a Thursday
  EXPECT_EQ(COleDateTime(2024, 12, 31, 0, 0, 0).GetDayOfYear(), 366);
}

TEST(OleDateTimeTest, ImpossibleDatesAndTimesAreInvalid) {
  struct Case {
    int year, month, day, hour, minute, second;
  };
  for (const Case& c : {Case{2023, 2, 29, 0, 0, 0}, Case{1900, 2, 29, 0, 0, 0}, Case{2026, 13, 1, 0, 0, 0},
                        Case{2026, 4, 31, 0, 0, 0}, Case{99, 12, 31, 0, 0, 0}, Case{10000, 1, 1, 0, 0, 0},
                        Case{2026, 1, 1, 24, 0, 0}, Case{2026, 1, 1, 0, 60, 0}, Case{2026, 1, 0, 0, 0, 0}}) {
    COleDateTime dt;
    EXPECT_EQ(dt.SetDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second), 1)
        << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":" << c.minute;
    EXPECT_EQ(dt.GetStatus(), COleDateTime::invalid);
    EXPECT_EQ(dt.GetYear(), -1);
    EXPECT_STREQ(dt.Format("%Y"), "Invalid DateTime");
  }
  EXPECT_EQ(COleDateTime(2024, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::valid);
  EXPECT_EQ(COleDateTime(3e6).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ(COleDateTime(-7e5).GetStatus(), COleDateTime::invalid);
}

TEST(OleDateTimeTest, ArithmeticRunsStraightAcrossDayZero) {
  COleDateTime before(1899, 12, 29, 6, 0, 0);  // -1.25
  COleDateTime after(1899, 12, 30, 18, 0, 0);  // 0.75
  COleDateTimeSpan span = after - before;
  EXPECT_DOUBLE_EQ(span.GetTotalDays(), 1.5);
  EXPECT_EQ(span.GetDays(), 1);
  EXPECT_EQ(span.GetHours(), 12);
  EXPECT_TRUE(before + span == after);
  EXPECT_TRUE(after - span == before);
  EXPECT_TRUE(before < after);
  EXPECT_DOUBLE_EQ((before - after).GetTotalHours(), -36.0);

  COleDateTime start(2024, 2, 28, 23, 30, 0);
  COleDateTime later = start + COleDateTimeSpan(1, 0, 45, 10);
  EXPECT_STREQ(later.Format("%Y-%m-%d %H:%M:%S"), "2024-03-01 00:15:10");
  COleDateTime invalid;
  invalid.SetStatus(COleDateTime::invalid);
  EXPECT_EQ((invalid + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::invalid);
  EXPECT_EQ((invalid - start).GetStatus(), COleDateTimeSpan::invalid);
}

TEST(OleDateTimeTest, FormatWritesTheNumericCodes) {
  COleDateTime dt(2026, 1, 5, 15, 4, 9);
  EXPECT_STREQ(dt.Format("%d/%m/%y %I:%M %p, day %j, weekday %w, 100%% %Q"),
               "05/01/26 03:04 PM, day 005, weekday 1, 100% %Q");
  EXPECT_STREQ(COleDateTime(2026, 1, 5, 0, 0, 0).Format("%I %p"), "12 AM");
  COleDateTime empty;
  empty.SetStatus(COleDateTime::null);
  EXPECT_STREQ(empty.Format("%Y"), "");
}

}  // namespace
