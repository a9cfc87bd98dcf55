// The terrestrial demodulator's microcode file, as any disk might hold it.
#include "ScMicrocode.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<WORD> words = scmicrocode::Words(data, size);
  scmicrocode::Section section;
  if (scmicrocode::FindSection(words, scmicrocode::kSymbolKind, section) == scmicrocode::kOk) {
    std::vector<scmicrocode::Symbol> symbols;
    scmicrocode::ParseSymbols(section, symbols);
  }
  scmicrocode::FindSection(words, scmicrocode::kCodeKind, section);
  return 0;
}
