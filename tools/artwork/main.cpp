// orvanth_artgen --source DIR     writes the embedded artwork source
// orvanth_artgen --pictures DIR   writes every picture as PPM/PAM files
#include <cstdio>
#include <cstring>

#include "tools/artwork/artwork_set.h"
#include "tools/artwork/emit.h"

int main(int argc, char** argv) {
  if (argc != 3 ||
      (std::strcmp(argv[1], "--source") != 0 && std::strcmp(argv[1], "--pictures") != 0)) {
    std::fprintf(stderr, "usage: %s --source DIR | --pictures DIR\n", argv[0]);
    return 2;
  }
  const auto set = orvanth::artgen::make_artwork_set();
  const bool ok = std::strcmp(argv[1], "--source") == 0
                      ? orvanth::artgen::write_embedded_source(set, argv[2])
                      : orvanth::artgen::write_picture_files(set, argv[2]);
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write into %s\n", argv[0], argv[2]);
    return 1;
  }
  return 0;
}
