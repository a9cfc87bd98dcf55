// Seeds of the microcode fuzzer: a sound file and one cut short by a byte.
#include "MicrocodeFixtures.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  std::string dir = argv[2];
  const struct {
    const char* name;
    std::vector<BYTE> bytes;
  } seeds[] = {{"good", ScFile(ScSections(40))}, {"odd", ScFile(ScSections(40), true)}};
  for (const auto& s : seeds) {
    FILE* f = fopen((dir + "/" + s.name).c_str(), "wb");
    if (!f) return 1;
    fwrite(s.bytes.data(), 1, s.bytes.size(), f);
    fclose(f);
  }
  return 0;
}
