// The decoder preferences dialog (template 2001) of the playback graph: the
// video and audio decoders listed by the module's current controller behind
// "Default", the renderer (shown, not changeable) and the BOB mode. OK writes
// the selected positions into the controller (-1 when nothing is selected).
#pragma once

#include <framework/ComboBox.h>
#include <framework/Dialog.h>

class CFilterPreferences : public CDialog {
  DECLARE_DYNAMIC(CFilterPreferences)
 public:
  CFilterPreferences();

  CComboBox m_VideoDecoder;
  CComboBox m_AudioDecoder;
  CComboBox m_VideoRenderer;
  int m_nBobMode = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
};
