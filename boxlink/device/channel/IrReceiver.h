// Access to the USB infrared receivers: finding them by their
// device-interface class, opening one in a receive mode with an event its
// driver sets when data arrive, reading it, and closing it. Internal to
// the library.
//
// Each open receiver has a context (its device handle, event and stop
// flag) in a process-wide table. A read holds the context for as long as it
// runs, so a close from another thread while a read waits only asks the
// read to end: the context, its event and its device handle go when the
// read has left them.
#pragma once

#include <windows.h>

namespace irreceiver {

// Receivers beyond this many are not listed.
const int kMaxReceivers = 32;
// Receivers open at once in a process.
const int kMaxOpen = 128;

// Present receivers.
int Count();
// Opens receiver index in mode (0 to 12); its handle, or
// INVALID_HANDLE_VALUE when there is no such receiver, the mode is out of
// range, the device cannot be opened or the table is full.
HANDLE Open(int index, DWORD mode);
// Switches reception off and ends a read that waits; nothing for a handle
// that is not open.
void Close(HANDLE handle);
// Reads up to size bytes. What the receiver holds comes at once; when it
// holds nothing, waits up to timeoutMs for the driver's event and reads
// again. The byte count; 0 when nothing came and timeoutMs is 0; -1 on a
// time-out, a closed or unknown handle, or a close during the wait.
int Read(HANDLE handle, BYTE* buffer, DWORD size, DWORD timeoutMs);

}  // namespace irreceiver
