// quillon-genlib OUT.lib [COUNT]: writes a large generated library for start-up checks.
#include <cstdlib>
#include <iostream>

#include "bench/lists/generate_library.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: quillon-genlib OUT.lib [COUNT]\n";
    return 2;
  }
  benchgen::WriteLibrary(argv[1], benchgen::MakeChannels(argc > 2 ? std::atoi(argv[2]) : 100000));
  return 0;
}
