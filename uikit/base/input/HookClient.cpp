#include "HookClient.h"

#include "HookManager.h"
#include "KeyboardManager.h"

CJVKHookClient::~CJVKHookClient() {
  GetHookManager()->RemoveAll(this);
  if (CJVKKeyboardManager* pManager = PeekKeyboardManager()) pManager->UnhookKeyboard(this);
}
