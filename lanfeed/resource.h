// Resource and control ids of the plug-in. The host merges menu "EXTERN"
// and forwards its command; the dialog's ids are part of what the host's
// tools and the tests address.
#pragma once

#define IDI_LANFEED 128
#define IDD_SERVER 6001

#define IDC_START_STOP 6000
#define IDC_LOG 6002
#define IDC_RECEIVED 6003
#define IDC_SENT 6004
#define IDC_PORT 6005
#define IDC_TIMEOUT 6006
#define IDC_EXPERT 6007
#define IDC_QUEUE_SIZE 6008
#define IDC_AUTOSTART 6009
#define IDC_TIMEOUT_GROUP 6010
#define IDC_TIMEOUT_LABEL 6011
#define IDC_TIMEOUT_UNIT 6012
#define IDC_TIMEOUT_CHECK 6013
#define IDC_QUEUE_BAR 6014
#define IDC_CLIENTS 6016

#define ID_PLUGIN_PROPERTIES 0xA303
