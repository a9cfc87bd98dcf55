// Pastes arbitrary bytes into masked fields as a clipboard block from another
// process would hold them (no NUL at the end, NULs inside), and lays them
// over a field as its opening text. Byte 0 picks the field, byte 1 the caret
// and overtype mode; the rest is the block. A field must keep its length and
// its literal characters.
#include <cstdlib>
#include <cstring>

#include "../MaskFieldSite.h"
#include "MaskEditModel.h"

namespace {

struct Field {
  const char* mask;
  const char* literal;
  const char* text;
};

const Field kFields[] = {
    {"00/00", "__/__", nullptr},
    {"(999) 000-0000", "(___) ___-____", "0301"},
    {"&&&&&&&&", "________", nullptr},
    {">L<??AaHX#d9", "____________", nullptr},
    {"00:00", "--:--", nullptr},  // no input position at all (prompt "_")
    {"HH HH", "__ __", "ab"},
};

void CheckField(const CJVKMaskEditModel& model, const CMaskFieldSite& site, bool bLiteralKept) {
  const CString& literal = model.m_strLiteral;
  if (site.m_strText.GetLength() != literal.GetLength()) abort();
  for (int i = 0; bLiteralKept && i < literal.GetLength(); ++i) {
    if (!model.IsInputPos(i) && site.m_strText[i] != literal[i]) abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const Field& field = kFields[data[0] % (sizeof(kFields) / sizeof(kFields[0]))];
  const size_t nBlock = size - 2;
  char* pBlock = static_cast<char*>(malloc(nBlock ? nBlock : 1));
  if (nBlock) memcpy(pBlock, data + 2, nBlock);
  {
    CJVKMaskEditModel model;
    CMaskFieldSite site(model);
    if (!model.SetEditMask(field.mask, field.literal, field.text, site)) abort();
    if (data[1] & 0x80) model.ToggleOverType();
    site.m_nStart = site.m_nEnd = (data[1] & 0x7F) % (model.m_strLiteral.GetLength() + 2);
    model.Paste(pBlock, nBlock, site);
    CheckField(model, site, true);
    // The block as the opening text, up to its first NUL (a text of the
    // literal's length is taken as it stands).
    const CString strText(pBlock, static_cast<int>(strnlen(pBlock, nBlock)));
    if (!model.SetEditMask(field.mask, field.literal, strText, site)) abort();
    CheckField(model, site, strText.GetLength() != model.m_strLiteral.GetLength());
  }
  free(pBlock);
  return 0;
}
