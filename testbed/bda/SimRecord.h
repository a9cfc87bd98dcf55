// The stand-ins' record: one line per value given to a network provider,
// tuning space, locator or tune request, or per PID mapped, kept in memory
// for the exports BdaSimRecord and BdaSimClearRecord.
#pragma once

void SimRecordLine(const char* format, ...);
