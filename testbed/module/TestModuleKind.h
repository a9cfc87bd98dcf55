// The module kind of this build of the test module (each kind is a DLL of
// its own, with that kind's ordinals).
#pragma once

#include "ModuleKind.h"

ModuleKind TestModuleKind();
