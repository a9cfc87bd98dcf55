// Writes the seed inputs of the lanfeed fuzz targets: make_lan_seeds KIND DIR.
//   stream  a connect sequence with PES packets between its messages
//   host    host answers: small counts, then record bytes
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "LanProtocol.h"
#include "SyntheticPes.h"

namespace {

void Save(const std::string& path, const std::vector<BYTE>& bytes) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

void Append(std::vector<BYTE>& out, const std::vector<BYTE>& more) { out.insert(out.end(), more.begin(), more.end()); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  const std::string kind = argv[1];
  const std::string dir = argv[2];
  if (kind == "stream") {
    std::vector<BYTE> stream = {3};  // chunk size selector
    std::vector<BYTE> message;
    const std::vector<BYTE> record(kChannelRecordSize, 0x41);
    EncodeLanMessage(message, kLanChannelRecord, 0, 2, record.data(), kChannelRecordSize);
    Append(stream, message);
    Append(stream, SyntheticPes(1, 40));
    EncodeLanMessage(message, kLanChannelRecord, 1, 2, record.data(), kChannelRecordSize);
    Append(stream, message);
    EncodeLanMessage(message, kLanCurrentChannel, 1, 0, nullptr, 0);
    Append(stream, message);
    Append(stream, SyntheticPes(2, 30, 0xC0));
    Save(dir + "/sequence", stream);
    return 0;
  }
  if (kind == "host") {
    std::vector<BYTE> answers = {2, 0, 0, 0};  // two channel records
    answers.insert(answers.end(), 2 * kChannelRecordSize, 0x52);
    const BYTE second[4] = {1, 0, 0, 0};
    answers.insert(answers.end(), second, second + 4);
    answers.insert(answers.end(), kSecondRecordSize, 0x53);
    answers.insert(answers.end(), {9, 0, 1, 0});  // current channel 0x10009
    Save(dir + "/two-and-one", answers);
    return 0;
  }
  return 2;
}
