#include "Screenshot.h"

#include <cstdio>
#include <string>

void SaveScreenshotIfAsked(HWND window, const char* name) {
  char dir[MAX_PATH];
  if (!GetEnvironmentVariableA("QUILLON_SCREENSHOT_DIR", dir, sizeof(dir))) return;
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 500;) {
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    Sleep(10);
  }
  RECT frame;
  GetWindowRect(window, &frame);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, frame.left, frame.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = (w * 3 + 3) & ~3;
  const BITMAPFILEHEADER file = {0x4D42,
                                 static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + stride * h),
                                 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  if (FILE* f = std::fopen((std::string(dir) + "\\" + name + ".bmp").c_str(), "wb")) {
    std::fwrite(&file, sizeof(file), 1, f);
    std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, f);
    std::fwrite(bits, stride, h, f);
    std::fclose(f);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}
