// Writes the fuzz seeds of the saved docking layout into a folder: the sound
// sample layout and each damaged variant of it.
#include <cstdio>
#include <string>

#include "DockingLayoutFixtures.h"

namespace {

bool WriteSeed(const std::string& path, const LayoutBytes& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool bWritten = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && bWritten;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: %s KIND FOLDER\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[2];
  bool bOk = WriteSeed(folder + "/sample", SaveDockingLayoutBytes(SampleDockingLayout()));
  for (const DamagedLayout& damaged : DamagedDockingLayouts()) bOk = WriteSeed(folder + "/" + damaged.name, damaged.bytes) && bOk;
  return bOk ? 0 : 1;
}
