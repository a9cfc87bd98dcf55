#include "TestModuleKind.h"

ModuleKind TestModuleKind() { return ModuleKind::TESTMODULE_KIND; }
