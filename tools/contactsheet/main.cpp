// Lays every screen picture of a folder out on one sheet:
//   contactsheet <folder> <sheet.png>
// The sheet itself, when it lies in the folder, is left out.
#include <cstdio>
#include <filesystem>

#include "tools/lib/ContactSheet.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: contactsheet <folder> <sheet.png>\n");
        return 2;
    }
    tools::ContactSheet sheet;
    if (!sheet.fAddFolder(argv[1], std::filesystem::path(argv[2]).filename().string())) {
        std::fprintf(stderr, "contactsheet: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!sheet.fWritePng(argv[2])) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%zu screen pictures on %s\n", sheet.fCount(), argv[2]);
    return 0;
}
