#include <windows.h>

#include "contacts/local_time.h"

namespace cdv {

std::tm LocalTimeNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  std::tm local{};
  local.tm_year = st.wYear - 1900;
  local.tm_mon = st.wMonth - 1;
  local.tm_mday = st.wDay;
  local.tm_hour = st.wHour;
  local.tm_min = st.wMinute;
  local.tm_sec = st.wSecond;
  local.tm_wday = st.wDayOfWeek;
  return local;
}

}  // namespace cdv
