// The buttons a tool bar adds to itself: the close button of a floating bar
// (9401), which hides the bar, and the expand button (9400), whose popup
// lists the controls that found no room and the bar's "&Add or Remove
// Buttons" list. Both are temporary controls: no copy, saved layout or
// original set holds them.
#pragma once

#include "ControlButton.h"
#include "ControlPopup.h"

class CJVKControlToolBarClose : public CJVKControlButton {
 public:
  CJVKControlToolBarClose();
  // Hides the bar; a torn-off bar is removed from its command bars.
  void Execute() override;
  void Draw(CDC* pDC) override;
};

class CJVKControlToolBarExpand : public CJVKControlPopup {
 public:
  CJVKControlToolBarExpand();
  // Fills the popup bar before it opens.
  BOOL SetPopup(BOOL bPopup) override;
  void Draw(CDC* pDC) override;
};

// An entry of the "&Add or Remove Buttons" list: checked while its control
// is shown; choosing it shows or hides the control (hide flag 0x10) and
// lays the control's bar out again.
class CJVKControlAddRemoveEntry : public CJVKControlButton {
 public:
  explicit CJVKControlAddRemoveEntry(CJVKControl* pTarget);
  ~CJVKControlAddRemoveEntry() override;
  void Execute() override;
  CJVKControl* GetTarget() const { return m_pTarget; }

 private:
  CJVKControl* m_pTarget;  // one reference held
};
