// The second program of the OLE clipboard test.
//   framework_clipboard_peer read TEXT BYTES   exit 0 when the clipboard
//                                              holds both (1: text differs,
//                                              2: bytes differ, 3: no OLE)
//   framework_clipboard_peer write TEXT BYTES  puts both on the clipboard,
//                                              flushes it and exits 0
#include "../OleClipboardShared.h"

int main(int argc, char** argv) {
  if (argc != 4 || !AfxOleInit()) return 3;
  std::string mode = argv[1], text = argv[2], bytes = argv[3];
  if (mode == "write") {
    COleDataSource* pSource = new COleDataSource;  // the clipboard owns it
    CacheTestData(pSource, text, bytes);
    try {
      pSource->SetClipboard();
    } catch (CException* e) {
      e->Delete();
      return 3;
    }
    COleDataSource::FlushClipboard();
    return 0;
  }
  COleDataObject data;
  if (!data.AttachClipboard()) return 3;
  if (TextOf(TakeGlobal(data.GetGlobalData(CF_TEXT))) != text) return 1;
  if (TakeGlobal(data.GetGlobalData(TestBytesFormat())).compare(0, bytes.size(), bytes) != 0) return 2;
  return 0;
}
