#pragma once

#include <functional>
#include <string>

#include "GuiFixture.h"

namespace guitest {

// GuiFixture with a mounted font ("font.xml" on "page.png": every printable
// ASCII character 8 wide with an advance of 10, line height 20) and the
// pictures the text, list, progress and slider widgets are tested with.
class WidgetFixture : public GuiFixture {
protected:
    static constexpr int32_t kADVANCE = 10;
    static constexpr int32_t kLINE = 20;

    void SetUp() override {
        GuiFixture::SetUp();
        fWrite("font.xml", fFontXml());
        fWrite("page.png", "256 256");
        fWrite("box.png", "100 30");  // line box background
        fWrite("listpanel.png", "200 90");
        fWrite("selected.png", "200 20");
        fWrite("row.png", "200 30");
        fWrite("bar.png", "200 20");  // two halves of 100 x 20
        fWrite("runner.png", "20 20");
        fWrite("grid.png", "100 40");  // 5 x 2 cells of 20 x 20
        fWrite("strip12.png", "240 20");
        fWrite("strip13.png", "260 20");
        fMount();
    }

    static std::string fFontXml() {
        std::string xml = R"(<font><common lineHeight="20"/><chars>)";
        for (int code = 32; code < 127; ++code)
            xml += "<char id=\"" + std::to_string(code) +
                   "\" x=\"0\" y=\"0\" width=\"8\" height=\"16\" xoffset=\"0\" yoffset=\"0\" xadvance=\"10\"/>";
        return xml + "</chars></font>";
    }

    // One frame of drawing; the quads the renderer was handed.
    uint32_t fDrawnQuads(const std::function<void()>& draw) { return fDrawnTriangles(draw) / 2; }

    // A key down and up with the passes the window runs, as one step.
    int32_t fKey(int32_t key) {
        const int32_t code = fCode(fPress(key));
        fRelease(key);
        fStep();
        return code;
    }
    void fClick(int32_t x, int32_t y) {
        fMove(x, y);
        fPress(1);
        fRelease(1);
        fStep();
    }
};

}  // namespace guitest
