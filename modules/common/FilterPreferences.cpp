#include "FilterPreferences.h"

#include "ModuleResources.h"
#include "VideoCtrl.h"

IMPLEMENT_DYNAMIC(CFilterPreferences, CDialog)

namespace {

const char kDefault[] = "Default";
const char* const kRenderers[] = {"Video Mixing Renderer 7", "Video Mixing Renderer 9"};

void AddDecoders(CComboBox& box, const DecoderList& list) {
  box.AddString(kDefault);
  for (const DecoderEntry& entry : list) {
    char name[260 * 2];
    WideCharToMultiByte(CP_ACP, 0, entry.szFriendlyName, -1, name, sizeof(name), nullptr, nullptr);
    box.AddString(name);
  }
}

}  // namespace

CFilterPreferences::CFilterPreferences() : CDialog(IDD_FILTER_PREFERENCES) {}

void CFilterPreferences::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_VIDEO_DECODER, m_VideoDecoder);
  DDX_Control(pDX, IDC_AUDIO_DECODER, m_AudioDecoder);
  DDX_Control(pDX, IDC_VIDEO_RENDERER, m_VideoRenderer);
  DDX_Check(pDX, IDC_BOB_MODE, m_nBobMode);
}

BOOL CFilterPreferences::OnInitDialog() {
  CVideoCtrl* ctrl = CVideoCtrl::Current();
  if (ctrl) m_nBobMode = ctrl->m_nBobMode;
  CDialog::OnInitDialog();
  if (!ctrl) return TRUE;
  AddDecoders(m_VideoDecoder, ctrl->VideoDecoders());
  AddDecoders(m_AudioDecoder, ctrl->AudioDecoders());
  for (const char* renderer : kRenderers) m_VideoRenderer.AddString(renderer);
  // A stored choice beyond the list selects nothing.
  m_VideoDecoder.SetCurSel(ctrl->m_nVideoDecoder);
  m_AudioDecoder.SetCurSel(ctrl->m_nAudioDecoder);
  m_VideoRenderer.SetCurSel(ctrl->m_nVideoRenderer);
  return TRUE;
}

void CFilterPreferences::OnOK() {
  if (CVideoCtrl* ctrl = CVideoCtrl::Current()) {
    ctrl->m_nVideoDecoder = m_VideoDecoder.GetCurSel();
    ctrl->m_nAudioDecoder = m_AudioDecoder.GetCurSel();
    ctrl->m_nVideoRenderer = m_VideoRenderer.GetCurSel();
    ctrl->m_nBobMode = IsDlgButtonChecked(IDC_BOB_MODE) ? 1 : 0;
  }
  CDialog::OnOK();
}
