#include "TrackedBar.h"

#include "MouseManager.h"

CJVKTrackedBar::~CJVKTrackedBar() {
  if (CJVKMouseManager* pManager = PeekMouseManager()) pManager->ForgetBar(this);
}
