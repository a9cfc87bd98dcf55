// Texts of the enumerated fields of DVB_CHANNELS, in index order (the index
// is the stored value). Each table ends with an empty text so that a list
// control can be filled by walking it.
#pragma once

extern const char* const g_fecOptions[11];
extern const char* const g_polarisationOptions[3];
extern const char* const g_qamOptions[7];
extern const char* const g_bandwidthOptions[6];
extern const char* const g_signalTypeOptions[4];
extern const char* const g_audioModeOptions[4];
extern const char* const g_videoSourceOptions[7];
