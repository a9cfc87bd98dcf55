// The six hardware modules, for the tables that differ between them.
#pragma once

enum class ModuleKind { kestrel, merlin, osprey, falcon, harrier, condor };
constexpr int kModuleKinds = 6;
