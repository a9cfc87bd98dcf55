#include "ChannelOptions.h"

const char* const g_fecOptions[11] = {"Auto", "1/1", "1/2", "2/3", "3/4", "4/5", "5/6", "6/7", "7/8", "8/9", ""};
const char* const g_polarisationOptions[3] = {"Horizontal", "Vertical", ""};
const char* const g_qamOptions[7] = {
    "QAM_TYPE NONE", "QAM_TYPE 16", "QAM_TYPE 32", "QAM_TYPE 64", "QAM_TYPE 128", "QAM_TYPE 256", ""};
const char* const g_bandwidthOptions[6] = {"AUTO", "6 MHz", "7 MHz", "8 MHz", "NONE", ""};
const char* const g_signalTypeOptions[4] = {"PAL", "NTSC", "HDTV", ""};
const char* const g_audioModeOptions[4] = {"Stereo", "Mono left", "Mono right", ""};
const char* const g_videoSourceOptions[7] = {
    "XPORT DVB", "Analog Tuner", "Composite JP1", "Composite Ext.", "Composite Aux.", "TV", ""};
