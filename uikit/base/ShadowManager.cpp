#include "ShadowManager.h"

#include "OptionalEntry.h"

CJVKShadowManager::CJVKShadowManager()
    : m_pfnUpdateLayeredWindow(JVKOptionalProc<PFNUPDATELAYEREDWINDOW>(JVKOptionalLibrary("USER32", FALSE), "USER32",
                                                                       "UpdateLayeredWindow")) {}

CJVKShadowManager::~CJVKShadowManager() {
  while (!m_lstShadows.IsEmpty()) delete m_lstShadows.RemoveHead();
  m_mapShadows.RemoveAll();
}

namespace {
CJVKShadowManager g_shadowManager;
}  // namespace

CJVKShadowManager* GetShadowManager() { return &g_shadowManager; }
