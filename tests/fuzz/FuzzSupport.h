#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <pugixml.hpp>

namespace KEL {
class KC_RENDER;
class KC_TEXTURE;
}  // namespace KEL

// What the fuzz targets share: the bytes as a file, as an XML document
// parsed the way the repository parses, and a renderer on the recording
// device so that readers can draw what they read.
namespace fuzzsupport {

// Writes the bytes to this process's own scratch file; answers its path.
std::string fScratchFile(const uint8_t* data, size_t size);

// Parses with the repository's options; false when the text is no document.
bool fParse(const uint8_t* data, size_t size, pugi::xml_document& document);

// A renderer on the recording device, published as the engine's renderer,
// with one blank 128 x 64 page texture. Made once per process.
struct KS_SCENE {
    KEL::KC_RENDER* mRender = nullptr;
    KEL::KC_TEXTURE* mPage = nullptr;
};
const KS_SCENE& fScene();

// Starts and ends one recorded frame around a drawing pass.
void fBeginFrame();
void fEndFrame();

}  // namespace fuzzsupport
