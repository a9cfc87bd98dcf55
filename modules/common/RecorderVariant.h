// How the recorder differs between the three modules that carry it. The
// rest of the recorder (templates, sizes, thresholds, delivery) is shared.
#pragma once

enum class RecorderModule { kestrel, osprey, condor };

struct RecorderVariant {
  const char* module;
  // The transport stream goes straight into the file in mode 10 only while
  // the host's record/playback state is 2 (else: whenever the file is open).
  bool directWriteFollowsHostState;
  // The log line of a packet that waits for more data names its stream id.
  bool waitLogNamesStreamId;
  // StartRecording opens files (the others only stop and measure them).
  bool startsFiles;
};

const RecorderVariant& RecorderVariantOf(RecorderModule module);
