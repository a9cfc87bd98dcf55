#include "SelectWait.h"

SelectWait ToSelectWait(int32_t milliseconds) {
  if (milliseconds < 0) milliseconds = 0;
  return {milliseconds / 1000, (milliseconds % 1000) * 1000L};
}
