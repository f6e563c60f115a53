// soundgen: synthesises one sound recipe into an Ogg Vorbis file.
//   soundgen <recipe> <out.ogg>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/lib/OggWriter.h"
#include "tools/lib/SoundRecipe.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: soundgen <recipe> <out.ogg>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    tools::SoundRecipe recipe;
    std::string error;
    if (!recipe.fParse(text.str(), error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    const int rate = 44100;
    const std::string tmp = std::string(argv[2]) + ".tmp";
    if (!tools::OggWriter::fWrite(tmp, recipe.fRender(rate), rate, 0.4f) || std::rename(tmp.c_str(), argv[2]) != 0) {
        std::remove(tmp.c_str());
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}
