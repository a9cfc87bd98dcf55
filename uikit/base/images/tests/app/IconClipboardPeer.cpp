// The second program of the icon clipboard test.
//   uikit_icon_clipboard_peer copy    puts the sample icons of command 5 on
//                                     the clipboard and exits 0
//   uikit_icon_clipboard_peer paste   pastes from the clipboard and exits 0
//                                     when it got the sample icons
// Other exit codes: 10 + what CompareSampleIcons found, 20 nothing pasted,
// 30 the clipboard or OLE could not be used.
#include "../SampleIcons.h"

int main(int argc, char** argv) {
  if (argc != 2 || !AfxOleInit()) return 30;
  std::string mode = argv[1];
  CJVKImageManager manager;
  if (mode == "copy") {
    AddSampleIcons(manager, 5);
    if (!::OpenClipboard(nullptr)) return 30;
    ::EmptyClipboard();
    BOOL bCopied = manager.CopyIconToClipboard(5);
    ::CloseClipboard();
    return bCopied ? 0 : 30;
  }
  COleDataObject data;
  if (!data.AttachClipboard()) return 30;
  UINT nID = manager.PasteIconFromClipboard(&data);
  if (nID == 0) return 20;
  int nDiffers = CompareSampleIcons(manager, nID);
  return nDiffers ? 10 + nDiffers : 0;
}
