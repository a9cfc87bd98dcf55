// What the video windows need of a module's playback graph: take the video
// child window (building and starting the graph when there is none), let
// the renderer follow the child window's size, hand out the current picture,
// and go. merlin and falcon implement it on CVideoCtrl (CPlaybackGraph); the
// other modules on their own graphs.
#pragma once

#include <windows.h>

#include <vector>

class CWnd;

class IVideoGraph {
 public:
  virtual ~IVideoGraph() = default;
  // Gives the graph the window that carries the picture.
  virtual void Attach(CWnd* videoChild) = 0;
  // Stops and releases the graph.
  virtual void Release() = 0;
  virtual bool IsRunning() const = 0;
  // The renderer follows the child window; false when it refused.
  virtual bool Follow(CWnd* videoChild) = 0;
  // The current picture as a packed DIB; false when there is none.
  virtual bool GetCurrentImage(std::vector<BYTE>* dib) = 0;
};
