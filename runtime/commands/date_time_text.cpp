#include "runtime/commands/date_time_text.h"

#include <cmath>
#include <cstdint>

namespace barvell::runtime {

namespace {

// Days from 1970-01-01 to a proleptic Gregorian date (eras of 400 years).
constexpr int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct CivilDate {
  int64_t year, month, day;
};

constexpr CivilDate CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp + (mp < 10 ? 3 : -9);
  return {yoe + era * 400 + (m <= 2), m, d};
}

constexpr int64_t kEpoch = DaysFromCivil(1899, 12, 30);
constexpr int64_t kFirstDay = DaysFromCivil(100, 1, 1) - kEpoch;
constexpr int64_t kLastDay = DaysFromCivil(9999, 12, 31) - kEpoch;
constexpr int64_t kSecondsPerDay = 86400;
static_assert(kFirstDay == -657434 && kLastDay == 2958465);

}  // namespace

std::string DateTimeText(double value) {
  // Whole days toward zero; the fraction, taken without its sign, is the time of day
  // (so -1.25 is 1899-12-29 06:00). Rounded to the second; 24:00 is the next midnight.
  int64_t day = 0;
  int64_t second = 0;
  if (std::isnan(value)) {
    day = 0;
  } else if (value <= double(kFirstDay - 1)) {
    day = kFirstDay;
  } else if (value >= double(kLastDay + 1)) {
    day = kLastDay;
    second = kSecondsPerDay - 1;
  } else {
    double whole = std::trunc(value);
    day = int64_t(whole);
    second = std::llround(std::fabs(value - whole) * double(kSecondsPerDay));
    if (second >= kSecondsPerDay) {
      second -= kSecondsPerDay;
      ++day;
    }
    if (day > kLastDay) {
      day = kLastDay;
      second = kSecondsPerDay - 1;
    }
  }

  const CivilDate date = CivilFromDays(day + kEpoch);
  const int64_t hour = second / 3600;
  const int64_t minute = second / 60 % 60;
  const int64_t sec = second % 60;

  auto n = [](int64_t v) { return std::to_string(v); };
  std::string text = n(date.year) + "年" + n(date.month) + "月" + n(date.day) + "日";
  if (sec != 0) {
    text += n(hour) + "时" + n(minute) + "分" + n(sec) + "秒";
  } else if (minute != 0) {
    text += n(hour) + "时" + n(minute) + "分";
  } else if (hour != 0) {
    text += n(hour) + "时";
  }
  return text;
}

}  // namespace barvell::runtime
