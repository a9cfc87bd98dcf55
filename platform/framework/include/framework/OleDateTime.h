// COleDateTime: a date and time as the OLE DATE number (days since
// 30 December 1899; the fraction is the time of day, and for days before
// that date it counts forward from the day's start: -1.25 is
// 29 December 1899, 06:00) with a status. COleDateTimeSpan: a length of time
// in days. Years 100 to 9999; anything else, or an impossible date or time,
// leaves the status invalid. Times are kept to the second.
#pragma once

#include "String.h"

#ifndef _WIN32
typedef double DATE;
#endif

class COleDateTimeSpan {
 public:
  enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

  COleDateTimeSpan() : m_span(0), m_status(valid) {}
  COleDateTimeSpan(double dblSpan) : m_span(dblSpan), m_status(valid) {}  // NOLINT: converts like a number
  COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

  DateTimeSpanStatus GetStatus() const { return m_status; }
  double GetTotalDays() const { return m_span; }
  double GetTotalHours() const { return m_span * 24; }
  double GetTotalMinutes() const { return m_span * 24 * 60; }
  double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
  // The parts of the span, each with the span's sign.
  LONG GetDays() const;
  LONG GetHours() const;
  LONG GetMinutes() const;
  LONG GetSeconds() const;

  COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
  COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
  COleDateTimeSpan operator-() const;
  bool operator==(const COleDateTimeSpan& other) const { return m_status == other.m_status && m_span == other.m_span; }
  bool operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }

  double m_span;
  DateTimeSpanStatus m_status;
};

class COleDateTime {
 public:
  enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

  COleDateTime() : m_dt(0), m_status(valid) {}
  COleDateTime(DATE dtSrc);  // NOLINT: converts like a number
  COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

  // 0 when the date and time are valid; otherwise 1 and the status invalid.
  int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
  int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
  int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

  DateTimeStatus GetStatus() const { return m_status; }
  void SetStatus(DateTimeStatus status) { m_status = status; }
  operator DATE() const { return m_dt; }

  // The parts; -1 when the value is not a valid date.
  int GetYear() const;
  int GetMonth() const;
  int GetDay() const;
  int GetHour() const;
  int GetMinute() const;
  int GetSecond() const;
  int GetDayOfWeek() const;  // 1 = Sunday
  int GetDayOfYear() const;  // 1 = 1 January

  COleDateTime operator+(const COleDateTimeSpan& span) const;
  COleDateTime operator-(const COleDateTimeSpan& span) const;
  COleDateTimeSpan operator-(const COleDateTime& other) const;
  bool operator==(const COleDateTime& other) const { return m_status == other.m_status && m_dt == other.m_dt; }
  bool operator!=(const COleDateTime& other) const { return !(*this == other); }
  bool operator<(const COleDateTime& other) const;

  // strftime's numeric codes: %Y %y %m %d %H %I %M %S %p %j %w %%; other
  // characters as they stand. "Invalid DateTime" for an invalid value, ""
  // for a null one.
  CString Format(LPCTSTR lpszFormat) const;

  DATE m_dt;
  DateTimeStatus m_status;
};
