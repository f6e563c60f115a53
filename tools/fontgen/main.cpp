// fontgen: renders a bitmap font (BMFont XML and its PNG page) from a font
// description file of "key = value" lines:
//   face = /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
//   size = 22            ; pixel size
//   width = 80           ; glyph width, percent of the size (default 100)
//   outline = 2          ; outline radius in pixels, 0 for none
//   outline_color = 0x2B2350
//   page_width = 512
//   chars = 32-126,160-383
//   fontgen <font description> <out.xml> <out.png>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "tools/lib/BmFontBuilder.h"
#include "tools/lib/SourceText.h"

namespace {


std::string fFileName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: fontgen <font description> <out.xml> <out.png>\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    std::map<std::string, std::string> v;
    std::string raw;
    while (std::getline(in, raw)) {
        const std::string line = tools::SourceText::fTrim(raw.substr(0, raw.find(';')));
        if (line.empty()) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) {
            std::fprintf(stderr, "%s: no '=' in \"%s\"\n", argv[1], line.c_str());
            return 1;
        }
        v[tools::SourceText::fTrim(line.substr(0, eq))] = tools::SourceText::fTrim(line.substr(eq + 1));
    }
    for (const char* key : {"face", "size", "chars"}) {
        if (v[key].empty()) {
            std::fprintf(stderr, "%s: missing \"%s\"\n", argv[1], key);
            return 1;
        }
    }
    std::vector<uint32_t> codes;
    if (!tools::BmFontBuilder::fParseRanges(v["chars"], codes)) {
        std::fprintf(stderr, "%s: bad character ranges\n", argv[1]);
        return 1;
    }
    const int size = std::atoi(v["size"].c_str());
    const int outline = v["outline"].empty() ? 0 : std::atoi(v["outline"].c_str());
    const uint32_t colour = v["outline_color"].empty() ? 0 : std::strtoul(v["outline_color"].c_str(), nullptr, 16);
    const int pageWidth = v["page_width"].empty() ? 512 : std::atoi(v["page_width"].c_str());
    tools::BmFontBuilder font;
    if (!v["width"].empty()) font.mWidthPercent = std::atoi(v["width"].c_str());
    std::string error;
    if (!font.fBuild(v["face"], size, codes, outline, colour, pageWidth, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    // Both files appear together or not at all, so a failed run never leaves
    // an output that looks up to date.
    const std::string pngTmp = std::string(argv[3]) + ".tmp", xmlTmp = std::string(argv[2]) + ".tmp";
    bool ok = font.fWritePng(pngTmp);
    if (ok) {
        std::ofstream out(xmlTmp, std::ios::binary);
        out << font.fXml(fFileName(v["face"]), argv[3]);
        ok = static_cast<bool>(out);
    }
    ok = ok && std::rename(pngTmp.c_str(), argv[3]) == 0 && std::rename(xmlTmp.c_str(), argv[2]) == 0;
    if (!ok) {
        std::remove(pngTmp.c_str());
        std::remove(xmlTmp.c_str());
        std::remove(argv[3]);
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}
