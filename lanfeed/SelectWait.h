// The socket channel's waits as select() takes them.
#pragma once

#include <cstdint>

// A wait in milliseconds as select() takes it: whole seconds and the
// microseconds below one second.
struct SelectWait {
  long seconds;
  long microseconds;
};
// A negative wait counts as none.
SelectWait ToSelectWait(int32_t milliseconds);
