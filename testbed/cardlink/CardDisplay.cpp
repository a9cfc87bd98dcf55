// The card's overlay window over the simulated card: a real window of its
// own class, painted in the colour of the display's picture parameters, so
// that a screenshot shows where the picture is and what it was set to.
#include "DVBVideoDisplay.h"
#include "SimCard.h"

namespace {

const char kClassName[] = "QuillonCardOverlay";

DVB_ERROR Result(int code) { return static_cast<DVB_ERROR>(code); }

HINSTANCE LibraryInstance() {
  HMODULE module = nullptr;
  ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       kClassName, &module);
  return module;
}

LRESULT CALLBACK OverlayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(window, &ps);
      RECT client;
      ::GetClientRect(window, &client);
      HBRUSH brush = ::CreateSolidBrush(static_cast<COLORREF>(::GetWindowLongPtrA(window, GWLP_USERDATA)));
      ::FillRect(dc, &client, brush);
      ::DeleteObject(brush);
      ::EndPaint(window, &ps);
      return 0;
    }
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterOverlayClass() {
  WNDCLASSA wc = {};
  if (::GetClassInfoA(LibraryInstance(), kClassName, &wc)) return true;
  wc.lpfnWndProc = &OverlayProc;
  wc.hInstance = LibraryInstance();
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  return ::RegisterClassA(&wc) != 0;
}

}  // namespace

CDVBVideoDisplay::CDVBVideoDisplay(int) {}

CDVBVideoDisplay::~CDVBVideoDisplay() {
  if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

DVB_ERROR CDVBVideoDisplay::Create(HWND parent, int x, int y, int width, int height, DWORD style, DWORD exStyle,
                                   int renderMode, DD_MODE mode, int tvNorm, BOOL) {
  CSimCard& card = CSimCard::Get();
  card.Record("VideoDisplay Create %d %d %d %d %08lX %d %d %d", x, y, width, height, static_cast<unsigned long>(style),
              renderMode, static_cast<int>(mode), tvNorm);
  if (m_hWnd && ::IsWindow(m_hWnd)) return DVB_ERR_STATE;
  if (const int code = card.Fail("Create")) return Result(code);
  if (!RegisterOverlayClass()) return DVB_ERR_FAILED;
  m_hWnd = ::CreateWindowExA(exStyle, kClassName, "", style, x, y, width, height, parent, nullptr, LibraryInstance(),
                             nullptr);
  if (!m_hWnd) return DVB_ERR_FAILED;
  ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, RGB(m_picture[0], m_picture[1], m_picture[2]));
  ::InvalidateRect(m_hWnd, nullptr, TRUE);
  m_mode = card.settings.ddMode >= 0 ? static_cast<DD_MODE>(card.settings.ddMode) : mode;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBVideoDisplay::Close() {
  CSimCard::Get().Record("VideoDisplay Close");
  if (!m_hWnd) return DVB_ERR_STATE;
  if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  m_hWnd = nullptr;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBVideoDisplay::GetDDMode(DD_MODE& mode) {
  CSimCard& card = CSimCard::Get();
  card.Record("VideoDisplay GetDDMode");
  if (const int code = card.Fail("GetDDMode")) return Result(code);
  mode = m_mode;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBVideoDisplay::SetMove(int follow) {
  CSimCard::Get().Record("VideoDisplay SetMove %d", follow);
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBVideoDisplay::SetRatio(int ratio) {
  CSimCard::Get().Record("VideoDisplay SetRatio %d", ratio);
  return ratio == 1 || ratio == 2 ? DVB_ERR_NONE : DVB_ERR_ARGUMENT;
}

DVB_ERROR CDVBVideoDisplay::SetMAX(int maximise) {
  CSimCard::Get().Record("VideoDisplay SetMAX %d", maximise);
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBVideoDisplay::SetBOB(int on) {
  CSimCard::Get().Record("VideoDisplay SetBOB %d", on);
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBVideoDisplay::SetPictureParams(BYTE first, BYTE second, BYTE third) {
  CSimCard::Get().Record("VideoDisplay SetPictureParams %u %u %u", first, second, third);
  m_picture[0] = first;
  m_picture[1] = second;
  m_picture[2] = third;
  if (m_hWnd && ::IsWindow(m_hWnd)) {
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, RGB(first, second, third));
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
  }
  return DVB_ERR_NONE;
}
