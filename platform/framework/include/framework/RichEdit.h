// Rich edit initialisation: loads the rich edit library once per process so
// that its window classes exist. AfxInitRichEdit gives "RICHEDIT" (version
// 1), AfxInitRichEdit2 "RichEdit20A" (version 2). FALSE when the library is
// missing; the library stays loaded for the life of the process, since its
// windows may outlive any one user.
#pragma once

#include "Defs.h"

BOOL AFXAPI AfxInitRichEdit();
BOOL AFXAPI AfxInitRichEdit2();
