// The application framework: include this one header.
// Portable parts (strings, run-time classes, exceptions, collections, memory
// files and archives) build everywhere; the Windows parts (files on handles,
// shared memory files, synchronisation, threads, profile settings, extension
// libraries, message boxes, resources) only with _WIN32.
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

#ifdef _WIN32
#include "framework/SharedFile.h"
#include "framework/SyncObject.h"
#include "framework/SingleLock.h"
#include "framework/MultiLock.h"
#include "framework/WinThread.h"
#include "framework/ProfileSettings.h"
#include "framework/ExtensionModule.h"
#include "framework/MessageBox.h"
#endif
