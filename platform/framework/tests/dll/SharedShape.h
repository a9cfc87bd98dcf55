// A class exported by test library A, derived from and created across modules.
#pragma once

#include <Framework.h>

class AFX_EXT_CLASS CSharedShape : public CObject {
  DECLARE_SERIAL(CSharedShape)
 public:
  CSharedShape() = default;
  void Serialize(CArchive& ar) override;
  virtual CString Describe() const;
  CString m_name;
};

#define IDS_FROM_LIBRARY_A 201

extern "C" {
// Library A: links its classes and resources into the process (CDynLinkLibrary).
AFX_EXT_API void LinkLibraryA();
// Library A: sets s to a string allocated by library A.
AFX_EXT_API void MakeStringInA(CString& s);
// Library A: shows a message box from inside the library.
AFX_EXT_API int AskFromA();
// Library B: appends to s (reallocating it) and empties t.
__declspec(dllimport) void ChangeStringsInB(CString& s, CString& t);
}
