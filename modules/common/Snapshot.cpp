#include "Snapshot.h"

#include <memory>

#include "BmpFile.h"

bool WriteSnapshotFile(const char* path, const std::vector<BYTE>& dib) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::vector<uint8_t> header = BmpFileHeader(dib);
  DWORD written = 0;
  bool ok = WriteFile(file, header.data(), static_cast<DWORD>(header.size()), &written, nullptr) &&
            written == header.size();
  ok = ok && WriteFile(file, dib.data(), static_cast<DWORD>(dib.size()), &written, nullptr) && written == dib.size();
  CloseHandle(file);
  return ok;
}

namespace {

// A logical palette from the DIB's colour table (blue and red swapped into
// PALETTEENTRY order).
HPALETTE PaletteOf(const std::vector<BYTE>& dib, UINT entries) {
  const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
  auto buffer = std::make_unique<BYTE[]>(sizeof(LOGPALETTE) + entries * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(buffer.get());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(entries);
  for (UINT i = 0; i < entries; i++) {
    palette->palPalEntry[i].peRed = info->bmiColors[i].rgbRed;
    palette->palPalEntry[i].peGreen = info->bmiColors[i].rgbGreen;
    palette->palPalEntry[i].peBlue = info->bmiColors[i].rgbBlue;
    palette->palPalEntry[i].peFlags = 0;
  }
  return CreatePalette(palette);
}

}  // namespace

bool CopySnapshotToClipboard(HWND owner, const std::vector<BYTE>& dib) {
  if (DibSizeIn(dib, dib.size()) == 0) return false;
  const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
  const BYTE* bits = dib.data() + info->bmiHeader.biSize + DibColourEntries(dib) * sizeof(RGBQUAD);
  HDC screen = GetDC(nullptr);
  HPALETTE palette = nullptr, previous = nullptr;
  const UINT entries = DibColourEntries(dib);
  if ((GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) && entries > 0 && entries <= 256 &&
      info->bmiHeader.biBitCount <= 8) {
    palette = PaletteOf(dib, entries);
    previous = SelectPalette(screen, palette, FALSE);
    RealizePalette(screen);
  }
  HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
  if (palette) {
    SelectPalette(screen, previous, FALSE);
    DeleteObject(palette);
  }
  ReleaseDC(nullptr, screen);
  if (!bitmap) return false;
  if (!OpenClipboard(owner)) {
    DeleteObject(bitmap);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
  CloseClipboard();
  if (!placed) DeleteObject(bitmap);  // the clipboard owns it once placed
  return placed;
}

bool GetRendererImage(IBasicVideo* video, std::vector<BYTE>* dib) {
  if (!video) return false;
  long size = 0;
  if (FAILED(video->GetCurrentImage(&size, nullptr))) {
    // A renderer that cannot tell the size first (Wine's VMR-7) gets room
    // for the largest DIB of the picture's size.
    long width = 0, height = 0;
    if (FAILED(video->GetVideoSize(&width, &height)) || width <= 0 || height <= 0) return false;
    size = static_cast<long>(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)) + width * height * 4;
  }
  if (size <= static_cast<long>(sizeof(BITMAPINFOHEADER))) return false;
  std::vector<BYTE> image(static_cast<size_t>(size), 0);
  if (FAILED(video->GetCurrentImage(&size, reinterpret_cast<long*>(image.data())))) return false;
  const size_t actual = DibSizeIn(image, image.size());
  if (actual == 0) return false;
  image.resize(actual);
  *dib = std::move(image);
  return true;
}
