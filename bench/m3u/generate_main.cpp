// quillon-genm3u COUNT OUT.m3u: writes a playlist for trying quillon-lists import-m3u.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/m3u/generate_playlist.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: quillon-genm3u COUNT OUT.m3u\n");
    return 2;
  }
  const std::string text = m3ugen::MakePlaylist(std::atoi(argv[1]));
  FILE* f = std::fopen(argv[2], "wb");
  bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
  if (f) ok = std::fclose(f) == 0 && ok;
  if (!ok) {
    std::fprintf(stderr, "quillon-genm3u: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
