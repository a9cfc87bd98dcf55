// What the library makes for each process that loads it, beside its static
// objects: the slave filter server with its named events and request
// memory, and the owner table. Made when the process attaches the library
// and released when it detaches, both under the loader lock.
#pragma once

#include "DVBOwnerTable.h"

// Makes the owner table; throws the framework's memory exception when it
// cannot be allocated.
typedef CDVBOwnerTable* (*OwnerTableMaker)(const char* name);
CDVBOwnerTable* NewOwnerTable(const char* name);

// TRUE when the library can work in this process. Without the server's
// request memory it cannot, and says nothing; without an owner table it
// cannot either, and tells the user "Unable to allocate shared memory".
// After FALSE nothing is left made. (An owner table without its shared
// memory is an owner table: the library then works unrecorded.)
BOOL MakeLibraryObjects(OwnerTableMaker newOwnerTable = NewOwnerTable);

// Releases them without waiting for any thread (see the source).
void ReleaseLibraryObjects();
