#include "MnemonicRules.h"

#include <cstring>

char JVKMnemonicChar(const char* pszCaption, BOOL* pbExplicit) {
  *pbExplicit = FALSE;
  if (pszCaption == nullptr || *pszCaption == '\0') return 0;
  const char* pszMark = std::strchr(pszCaption, '&');
  if (pszMark != nullptr && pszMark[1] != '\0') {
    *pbExplicit = TRUE;
    return pszMark[1];
  }
  return pszCaption[0];
}

JVKMnemonicMatch JVKFindMnemonic(const std::vector<JVKMnemonicCandidate>& candidates,
                                 const std::function<BOOL(char)>& bMatches) {
  JVKMnemonicMatch explicitMatch, firstCharMatch;
  for (size_t i = 0; i < candidates.size(); ++i) {
    BOOL bExplicit = FALSE;
    const char ch = JVKMnemonicChar(candidates[i].pszCaption, &bExplicit);
    if (ch == 0 || (!bExplicit && !candidates[i].bFirstCharAllowed) || !bMatches(ch)) continue;
    JVKMnemonicMatch& match = bExplicit ? explicitMatch : firstCharMatch;
    if (match.nIndex < 0)
      match.nIndex = static_cast<int>(i);
    else
      match.bAmbiguous = TRUE;
  }
  return explicitMatch.nIndex >= 0 ? explicitMatch : firstCharMatch;
}
