// Cost of laying out and drawing 10,000 glyphs through the recording
// renderer: 100 wide texts of 100 characters, anchored at the centre, per
// frame. Prints the mean time per frame and per glyph.
#include <chrono>
#include <cstdio>
#include <string>

#include <pugixml.hpp>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_FONT.h"
#include "host/recording/RecordingDevice.h"

int main() {
    // A font of the printable ASCII range on a 512 x 512 page.
    std::string xml = "<font><common lineHeight='24' scaleW='512' scaleH='512'/><chars>";
    for (int code = 32; code < 127; ++code) {
        const int cell = code - 32;
        xml += "<char id='" + std::to_string(code) + "' x='" + std::to_string(cell % 16 * 32) + "' y='" +
               std::to_string(cell / 16 * 32) + "' width='14' height='20' xoffset='1' yoffset='2' xadvance='15'/>";
    }
    xml += "</chars></font>";
    pugi::xml_document document;
    document.load_string(xml.c_str());

    auto* device = new host::RecordingDevice;
    KEL::KC_RENDER render;
    render.fSetDevice(device);
    if (render.fInit(nullptr, 0.1f, 0.0f) != 1) return 1;
    KEL::kcRENDER = &render;
    KEL::KC_FONT font(document.child("font"), render.fCreateTexture(512, 512), 600);
    font.fSetAnchor(4);

    std::wstring line;
    for (int i = 0; i < 100; ++i) line += static_cast<wchar_t>(L'A' + i % 26);

    constexpr int kFRAMES = 50;
    double seconds = 0.0;
    for (int frame = 0; frame < kFRAMES; ++frame) {
        render.fBeginFrame();
        device->fClearLog();
        const auto start = std::chrono::steady_clock::now();
        for (int row = 0; row < 100; ++row) font.fDrawW(512.0f, 7.0f * row, line.c_str());
        render.fEndFrame();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double perFrame = seconds / kFRAMES;
    std::printf("10,000 glyphs laid out and drawn: %.3f ms per frame, %.1f ns per glyph\n", perFrame * 1e3,
                perFrame * 1e9 / 10000.0);

    // Layout alone: the measuring and anchoring every drawn line repeats.
    int32_t sink = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < kFRAMES; ++frame)
        for (int row = 0; row < 100; ++row) sink += font.fGetOffsetXW(line.c_str()) + font.fGetOffsetYW(line.c_str());
    const double layout = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / kFRAMES;
    std::printf("of which layout alone: %.3f ms per frame (%d)\n", layout * 1e3, sink & 1);
    KEL::kcRENDER = nullptr;
    return 0;
}
