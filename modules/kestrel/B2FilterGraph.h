// The card's graph as the module plays it: the Video Mixing Renderer 7, the
// source filter's "Audio" and "Video" pins rendered through the installed
// decoders, the renderer's window inside the module's video window, and the
// PIDs of the pins. Rendering, window and running failures are thrown as
// CB2FilterGraphException.
#pragma once

#include "B2FilterGraphBase.h"

class CB2FilterGraph : public CB2FilterGraphBase {
 public:
  // The renderer's window overlaps the video window by this much on each side.
  static constexpr int kVideoBorder = 15;

  ~CB2FilterGraph() override;

  // Creates the Video Mixing Renderer 7 with one stream and adds it.
  HRESULT AddVideoRenderer();
  // Finds the source filter's "Audio" and "Video" output pins (once).
  HRESULT GetAVPins();
  // The pins' PIDs; renders the pins not rendered yet. 0 for both: nothing.
  HRESULT SetPvrPids(long audio, long video);
  void RenderAVPins();
  void SetVideoWindow(HWND window);
  void UpdateVideoSize(HWND window);
  bool HasVideoWindow() const { return static_cast<bool>(m_pVideoWindow); }
  // After the pins were disconnected: both to be rendered again.
  void ClearRendered() { m_bAudioRendered = m_bVideoRendered = FALSE; }
  // Takes every filter but the source filter out of the graph.
  void RemoveRenderFilters();
  // Every pin of every filter in the graph disconnected.
  void DisconnectAll();
  // The window the renderer's window was last attached to.
  HWND AttachedWindow() const { return m_hAttached; }
  void SetAttachedWindow(HWND window) { m_hAttached = window; }
  // Releases the renderer's window (its owner cleared).
  void ReleaseVideoWindow();

 private:
  // Renders pin unless *rendered; a failure names the decoder kind missing.
  void RenderPin(IPin* pin, const char* kind, const char* name, BYTE* rendered);

  BYTE m_bAudioRendered = FALSE;
  BYTE m_bVideoRendered = FALSE;
  BYTE m_bAudioOnly = FALSE;
  ComPtr<IVideoWindow> m_pVideoWindow;
  HWND m_hAttached = nullptr;
};
