// Writes the seed corpus of one list-reader fuzz target: a few small, valid
// and damaged files built from the test fixtures.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ListFixtures.h"

using namespace fixtures;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_list_seeds qcx|fav2|dvb folder\n");
    return 2;
  }
  const std::string kind = argv[1];
  std::vector<Bytes> seeds;
  if (kind == "qcx") {
    DVB_CHANNELS scrambled = Channel("Premiere", 1, 3);
    scrambled.scrambled = 1;
    const Bytes list = QcxFile(4, 2, 0,
                               {Provider("Astra", 1), Channel("ZDF", 1, 1), scrambled, Channel("Kind0", 0),
                                Provider("Astra", 2), Channel("DLF", 2, 2)});
    seeds = {list, Bytes(list.begin(), list.end() - 40), QcxFile(9, 0, 0, {Provider("X")}), QcxFile(0, 0, 0, {}),
             QcxFile(0xFFFFFFFFu, 1, 0, {Provider("Astra"), Channel("ZDF", 1)})};  // counts that wrap at 32 bits
  } else if (kind == "fav2") {
    seeds = {FavFile({Favourite("Mine", 0), Favourite("Sport", 1, 7, 1, 1), Favourite("Sport", 1, 8, 1, 1),
                      Favourite("Gone", 1, 5, 5, 5)}),
             FavFile({Favourite("Sport", 1, 7, 1, 1)})};
  } else if (kind == "dvb") {
    seeds = {Concat({Zenk4Bytes({"Astra", 0}), Zenk4Bytes({"ZDF", 11953, 27500, 1}),
                     Zenk4Bytes({"DLF", 11953, 27500, 2, 0, 7, 1, 0xFF}), Bytes(2, 0)}),
             Zenk4Bytes({"R\xE4tsel", 10, 6900, 3})};
  } else {
    std::fprintf(stderr, "unknown kind %s\n", kind.c_str());
    return 2;
  }
  std::filesystem::create_directories(argv[2]);
  for (size_t i = 0; i < seeds.size(); ++i) {
    const std::string path = std::string(argv[2]) + "/seed-" + std::to_string(i);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(seeds[i].data()), static_cast<std::streamsize>(seeds[i].size()));
  }
  return 0;
}
