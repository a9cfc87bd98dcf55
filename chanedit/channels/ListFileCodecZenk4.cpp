// The Zenk4 reader of the list codec: ".dvb" files of 64-byte records.
#include "ChannelTreeBuilder.h"
#include "ListFileCodec.h"
#include "Zenk4Conversion.h"

int CListFileCodec::ReadZenk4File(int mode) {
  std::unique_ptr<CListFile> file = OpenForReading(ReadPath(mode));
  if (!file) return kReadCannotOpen;
  CChannelTree& tv = m_group.GetTree(kPaneTv);
  CChannelTree& radio = m_group.GetTree(kPaneRadio);
  if (mode == kReadReplace) {
    DeleteAllTreeItems(tv);
    DeleteAllTreeItems(radio);
  }
  // The conversion clamps the fields itself; a trailing partial record is ignored.
  CChannelTreeBuilder builder(tv, radio);
  Zenk4Record zenk4;
  while (file->Read(&zenk4, sizeof(zenk4)) == sizeof(zenk4)) {
    SwapZenk4Record(&zenk4);
    DVB_CHANNELS record;
    Zenk4ToChannel(&zenk4, &record);
    builder.Add(record);
  }
  builder.Finish();
  return kReadOk;
}
