// vandrel-make-defaults FOLDER: writes the factory default profile files into FOLDER (the build
// runs it; the files lie beside the programs and are installed with the skin).
#include <cstdio>
#include <filesystem>

#include "factory_defaults.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vandrel-make-defaults FOLDER\n");
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(argv[1], error);
  if (vandrel::WriteFactoryDefaults(argv[1]).empty()) {
    std::fprintf(stderr, "vandrel-make-defaults: cannot write the default files in %s\n", argv[1]);
    return 1;
  }
  return 0;
}
