#include "PlaybackGraph.h"

namespace {

constexpr UINT kControllerId = 130;

}  // namespace

void CPlaybackGraph::Attach(CWnd* videoChild) {
  if (!m_pCtrl) {
    m_pCtrl = std::make_unique<CVideoCtrl>();
    m_pCtrl->SetHost(m_pfnLog, m_hCommandWindow, CVideoCtrl::kDefaultHostCommand);
    RECT r;
    videoChild->GetClientRect(&r);
    m_pCtrl->Create(nullptr, "VidWnd", WS_VISIBLE | WS_CHILD, r, videoChild, kControllerId);
    if (FAILED(m_pCtrl->BuildGraph())) return;
    m_pCtrl->SetVideoOwner(videoChild);
    m_pCtrl->StartGraph();
    return;
  }
  // The child window keeps the controller as its child across a re-parenting.
  m_pCtrl->SetVideoOwner(videoChild);
}

void CPlaybackGraph::Release() {
  if (!m_pCtrl) return;
  m_pCtrl->StopGraph();
  m_pCtrl->ReleaseGraph();
  m_pCtrl.reset();
}

bool CPlaybackGraph::Follow(CWnd* videoChild) {
  return m_pCtrl && SUCCEEDED(m_pCtrl->UpdateVideoWindow(videoChild));
}

bool CPlaybackGraph::GetCurrentImage(std::vector<BYTE>* dib) { return m_pCtrl && m_pCtrl->GetCurrentImage(dib); }
