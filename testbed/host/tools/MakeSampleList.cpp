// Writes the stand-in host's sample data into a folder:
//   make_sample_list DIR  ->  DIR/sample.qcx, DIR/sample.fav2, DIR/sample.pes
#include <cstdio>
#include <string>

#include "SampleChannelList.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sample_list DIR\n");
    return 2;
  }
  const std::string dir = argv[1];
  if (!WriteSampleChannelList(dir + "/sample.qcx")) {
    std::fprintf(stderr, "make_sample_list: cannot write %s/sample.qcx\n", dir.c_str());
    return 1;
  }
  if (!WriteSyntheticPesStream(dir + "/sample.pes", 10)) {
    std::fprintf(stderr, "make_sample_list: cannot write %s/sample.pes\n", dir.c_str());
    return 1;
  }
  return 0;
}
