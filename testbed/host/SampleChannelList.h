// The bundled sample: a channel list with favourites written with the
// list-file library, and a short synthetic PES stream, for demonstrations
// and tests of the stand-in host.
#pragma once

#include <string>

// Writes DIR/sample.qcx and DIR/sample.fav2; false when they cannot be written.
bool WriteSampleChannelList(const std::string& path);

// Writes a stream of MPEG-2 PES packets with time stamps: video at 25
// pictures per second and audio every 24 ms, seconds long, about 2 Mbit/s.
// The payloads are patterns, not pictures: enough to carry and pace.
bool WriteSyntheticPesStream(const std::string& path, int seconds);
