// Date arithmetic on the OLE DATE number. Calendar days are counted with
// the proleptic Gregorian calendar; DATE values before day 0 are turned into
// a straight line of days ("linear") for sums and differences.
#include "framework/OleDateTime.h"

#include <cmath>

namespace {

constexpr double kMinDate = -657434.0;  // 1 January 100
constexpr double kMaxDate = 2958466.0;  // the day after 31 December 9999
constexpr LONG kEpochDays = 693899;     // days from 1 March 0000 to 30 December 1899

bool IsLeap(int nYear) { return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0; }

int DaysInMonth(int nYear, int nMonth) {
  static const int s_days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return nMonth == 2 && IsLeap(nYear) ? 29 : s_days[nMonth - 1];
}

// Days since 30 December 1899 of a date (years counted from 1 March).
LONG DayNumber(int nYear, int nMonth, int nDay) {
  int y = nMonth <= 2 ? nYear - 1 : nYear;
  int m = nMonth <= 2 ? nMonth + 9 : nMonth - 3;
  LONG lDays = 365L * y + y / 4 - y / 100 + y / 400 + (153 * m + 2) / 5 + nDay - 1;
  return lDays - kEpochDays;
}

void DateOfDay(LONG lDayNumber, int& nYear, int& nMonth, int& nDay) {
  LONG z = lDayNumber + kEpochDays;
  LONG era = z / 146097;
  LONG doe = z - era * 146097;
  LONG yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  LONG doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  LONG mp = (5 * doy + 2) / 153;
  nDay = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  nMonth = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  nYear = static_cast<int>(yoe + era * 400 + (nMonth <= 2 ? 1 : 0));
}

double ToLinear(DATE dt) {
  double dDay = std::trunc(dt);
  return dt < 0 ? dDay - (dt - dDay) : dt;  // -1.25 (day -1, 06:00) is -0.75
}

DATE FromLinear(double dLinear) {
  double dDay = std::floor(dLinear);
  double dTime = dLinear - dDay;
  return dDay < 0 ? dDay - dTime : dDay + dTime;
}

// The parts of a DATE, to the nearest second.
struct Parts {
  int nYear, nMonth, nDay, nHour, nMinute, nSecond, nDayOfWeek, nDayOfYear;
};

bool Split(DATE dt, Parts& parts) {
  if (!(dt >= kMinDate && dt < kMaxDate)) return false;
  double dDay = std::trunc(dt);
  LONG lDay = static_cast<LONG>(dDay);
  LONG lSeconds = static_cast<LONG>(std::lround(std::fabs(dt - dDay) * 86400.0));
  if (lSeconds >= 86400) {  // rounds up into the next day
    lSeconds -= 86400;
    ++lDay;
  }
  DateOfDay(lDay, parts.nYear, parts.nMonth, parts.nDay);
  if (parts.nYear > 9999) return false;
  parts.nHour = static_cast<int>(lSeconds / 3600);
  parts.nMinute = static_cast<int>(lSeconds / 60 % 60);
  parts.nSecond = static_cast<int>(lSeconds % 60);
  parts.nDayOfWeek = static_cast<int>(((lDay % 7) + 7 + 6) % 7) + 1;  // day 0 was a Saturday
  parts.nDayOfYear = static_cast<int>(lDay - DayNumber(parts.nYear, 1, 1) + 1);
  return true;
}

}  // namespace

// ------------------------------------------------------------------- spans

COleDateTimeSpan::COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_span(lDays + ((nHours * 60.0 + nMins) * 60.0 + nSecs) / 86400.0), m_status(valid) {}

// Parts of the span rounded to the second, each with the span's sign.
namespace {
LONG SpanSeconds(double dSpan) { return static_cast<LONG>(std::llround(dSpan * 86400.0) % 86400); }
}  // namespace

LONG COleDateTimeSpan::GetDays() const { return static_cast<LONG>(std::llround(m_span * 86400.0) / 86400); }
LONG COleDateTimeSpan::GetHours() const { return SpanSeconds(m_span) / 3600; }
LONG COleDateTimeSpan::GetMinutes() const { return SpanSeconds(m_span) / 60 % 60; }
LONG COleDateTimeSpan::GetSeconds() const { return SpanSeconds(m_span) % 60; }

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const {
  COleDateTimeSpan result(m_span + other.m_span);
  if (m_status != valid || other.m_status != valid) result.m_status = invalid;
  return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const { return *this + -other; }

COleDateTimeSpan COleDateTimeSpan::operator-() const {
  COleDateTimeSpan result(-m_span);
  result.m_status = m_status;
  return result;
}

// ------------------------------------------------------------------- dates

COleDateTime::COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(valid) {
  Parts parts;
  if (!Split(dtSrc, parts)) m_status = invalid;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) : COleDateTime() {
  SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
  bool bValid = nYear >= 100 && nYear <= 9999 && nMonth >= 1 && nMonth <= 12 && nDay >= 1 &&
                nDay <= DaysInMonth(nYear, nMonth) && nHour >= 0 && nHour <= 23 && nMin >= 0 && nMin <= 59 &&
                nSec >= 0 && nSec <= 59;
  if (!bValid) {
    m_dt = 0;
    m_status = invalid;
    return 1;
  }
  double dDay = DayNumber(nYear, nMonth, nDay);
  double dTime = ((nHour * 60.0 + nMin) * 60.0 + nSec) / 86400.0;
  m_dt = dDay < 0 ? dDay - dTime : dDay + dTime;
  m_status = valid;
  return 0;
}

#define COLEDATETIME_PART(name, member)                                 \
  int COleDateTime::name() const {                                      \
    Parts parts;                                                        \
    return m_status == valid && Split(m_dt, parts) ? parts.member : -1; \
  }
COLEDATETIME_PART(GetYear, nYear)
COLEDATETIME_PART(GetMonth, nMonth)
COLEDATETIME_PART(GetDay, nDay)
COLEDATETIME_PART(GetHour, nHour)
COLEDATETIME_PART(GetMinute, nMinute)
COLEDATETIME_PART(GetSecond, nSecond)
COLEDATETIME_PART(GetDayOfWeek, nDayOfWeek)
COLEDATETIME_PART(GetDayOfYear, nDayOfYear)
#undef COLEDATETIME_PART

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const {
  COleDateTime result;
  if (m_status != valid || span.m_status != COleDateTimeSpan::valid) {
    result.m_status = invalid;
    return result;
  }
  result = COleDateTime(FromLinear(ToLinear(m_dt) + span.m_span));
  return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const { return *this + -span; }

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const {
  COleDateTimeSpan span(ToLinear(m_dt) - ToLinear(other.m_dt));
  if (m_status != valid || other.m_status != valid) span.m_status = COleDateTimeSpan::invalid;
  return span;
}

bool COleDateTime::operator<(const COleDateTime& other) const { return ToLinear(m_dt) < ToLinear(other.m_dt); }

CString COleDateTime::Format(LPCTSTR lpszFormat) const {
  if (m_status == null) return CString();
  Parts parts;
  if (m_status != valid || !Split(m_dt, parts)) return CString("Invalid DateTime");
  CString result;
  for (LPCTSTR p = lpszFormat; p != nullptr && *p != 0; ++p) {
    if (*p != '%' || p[1] == 0) {
      result += *p;
      continue;
    }
    switch (*++p) {
      case 'Y': result.AppendFormat("%04d", parts.nYear); break;
      case 'y': result.AppendFormat("%02d", parts.nYear % 100); break;
      case 'm': result.AppendFormat("%02d", parts.nMonth); break;
      case 'd': result.AppendFormat("%02d", parts.nDay); break;
      case 'H': result.AppendFormat("%02d", parts.nHour); break;
      case 'I': result.AppendFormat("%02d", parts.nHour % 12 == 0 ? 12 : parts.nHour % 12); break;
      case 'M': result.AppendFormat("%02d", parts.nMinute); break;
      case 'S': result.AppendFormat("%02d", parts.nSecond); break;
      case 'p': result += parts.nHour < 12 ? "AM" : "PM"; break;
      case 'j': result.AppendFormat("%03d", parts.nDayOfYear); break;
      case 'w': result.AppendFormat("%d", parts.nDayOfWeek - 1); break;
      case '%': result += '%'; break;
      default:
        result += '%';
        result += *p;
        break;
    }
  }
  return result;
}
