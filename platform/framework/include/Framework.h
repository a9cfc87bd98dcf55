// The application framework: include this one header.
// Portable parts (strings, run-time classes, exceptions, collections, memory
// files and archives, the critical section and event, worker threads) build
// everywhere; the Windows parts (files on handles,
// shared memory files, synchronisation, threads, profile settings, extension
// libraries, message boxes, resources; the application object, windows and
// message maps, GDI, controls and dialogs) only with _WIN32.
#pragma once

#include "framework/Defs.h"
#include "framework/Object.h"
#include "framework/Exception.h"
#include "framework/String.h"
#include "framework/FileException.h"
#include "framework/ArchiveException.h"
#include "framework/File.h"
#include "framework/MemFile.h"
#include "framework/Archive.h"
#include "framework/Array.h"
#include "framework/Arrays.h"
#include "framework/List.h"
#include "framework/Lists.h"
#include "framework/Map.h"
#include "framework/Maps.h"
#include "framework/CmdTarget.h"
#include "framework/SyncObject.h"
#include "framework/SingleLock.h"
#include "framework/WorkerThread.h"

#ifdef _WIN32
#include "framework/SharedFile.h"
#include "framework/MultiLock.h"
#include "framework/WinThread.h"
#include "framework/ProfileSettings.h"
#include "framework/ExtensionModule.h"
#include "framework/MessageBox.h"
#include "framework/ModuleState.h"
#include "framework/Rect.h"
#include "framework/CmdUI.h"
#include "framework/Wnd.h"
#include "framework/WinApp.h"
#include "framework/GdiObject.h"
#include "framework/DC.h"
#include "framework/Menu.h"
#include "framework/ImageList.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Static.h"
#include "framework/ListBox.h"
#include "framework/CheckListBox.h"
#include "framework/ComboBox.h"
#include "framework/ListCtrl.h"
#include "framework/TreeCtrl.h"
#include "framework/ProgressCtrl.h"
#include "framework/SpinButtonCtrl.h"
#include "framework/ToolTipCtrl.h"
#include "framework/ScrollBar.h"
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/FileDialog.h"
#include "framework/ColorDialog.h"
#include "framework/WaitCursor.h"
#include "framework/Sockets.h"
#endif
