// levelc: checks one authored level against the board design and writes the
// level file the game reads. Exits non-zero (and writes nothing) when the
// level breaks a rule, so a bad level stops the content build.
//   levelc <board.conf> <level source> <level file>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/lib/BoardStyle.h"
#include "tools/lib/LevelSource.h"

namespace {

bool fReadAll(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: levelc <board.conf> <level source> <level file>\n");
        return 2;
    }
    std::string styleText, levelText, error;
    if (!fReadAll(argv[1], styleText)) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    if (!fReadAll(argv[2], levelText)) {
        std::fprintf(stderr, "%s: cannot read\n", argv[2]);
        return 1;
    }
    tools::BoardStyle style;
    if (!style.fParse(styleText, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    tools::LevelSource level;
    if (!level.fParse(levelText, error) || !level.fCheck(error)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 1;
    }
    // The pack is the folder the level lies in.
    const tools::BoardStyle sized = style.fSizedFor(level,
                                                    std::filesystem::path(argv[2]).parent_path().filename().string());
    if (!sized.fCheckFits(level, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[2], error.c_str());
        return 1;
    }
    const std::string xml = sized.fWriteLevel(level);
    const std::string tmp = std::string(argv[3]) + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary);
        out << xml;
        if (!out) {
            out.close();
            std::remove(tmp.c_str());
            std::fprintf(stderr, "%s: cannot write\n", argv[3]);
            return 1;
        }
    }
    if (std::rename(tmp.c_str(), argv[3]) != 0) {
        std::remove(tmp.c_str());
        std::fprintf(stderr, "%s: cannot write\n", argv[3]);
        return 1;
    }
    return 0;
}
