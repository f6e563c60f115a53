#include "BenchScratch.h"

#include <cstdlib>
#include <fstream>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/resources/KS_RESOURCE_CONVERTERS.h"

namespace fs = std::filesystem;

namespace bench {

namespace {

KEL::KC_TEXTURE* fDecode(const uint8_t* bytes, uint32_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    const size_t blank = text.find(' ');
    const int w = std::atoi(text.c_str()), h = blank == std::string::npos ? 0 : std::atoi(text.c_str() + blank + 1);
    KEL::KC_RENDER* render = KEL::KC_RENDER::fCurrent();
    return w > 0 && h > 0 ? render->fCreateTexture(w, h) : render->fGetDefaultTexture();
}
int32_t fRelease(KEL::KC_TEXTURE* texture) { return KEL::KC_RENDER::fCurrent()->fReleaseTexture(texture); }
KEL::KC_TEXTURE* fDefault() { return KEL::KC_RENDER::fCurrent()->fGetDefaultTexture(); }

}  // namespace

double fMicros(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
}

BenchScratch::BenchScratch(const std::string& name)
    : mWork(fs::temp_directory_path() / (name + "_" + std::to_string(std::rand()))) {}

BenchScratch::~BenchScratch() {
    if (mOpened) {
        KEL::kcREPOSITORY = nullptr;
        KEL::KS_RESOURCE_CONVERTERS::fGet().fReset();
        fs::current_path(mWork.parent_path());
    }
    std::error_code ignored;
    fs::remove_all(mWork, ignored);
}

void BenchScratch::fWrite(const std::string& file, const std::string& bytes) {
    const fs::path path = mWork / "Resources" / "data" / file;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void BenchScratch::fWritePicture(const std::string& file, int32_t width, int32_t height) {
    fWrite(file, std::to_string(width) + " " + std::to_string(height));
}

void BenchScratch::fWriteFont(const std::string& name) {
    fWritePicture(name + ".png", 256, 256);
    std::string font = "<font><common lineHeight=\"20\"/><chars>";
    for (int c = 32; c < 127; ++c)
        font += "<char id=\"" + std::to_string(c) + "\" x=\"" + std::to_string((c - 32) % 16 * 12) + "\" y=\"" +
                std::to_string((c - 32) / 16 * 20) +
                "\" width=\"11\" height=\"20\" xoffset=\"0\" yoffset=\"0\" xadvance=\"12\"/>";
    fWrite(name + ".xml", font + "</chars></font>");
}

bool BenchScratch::fOpen() {
    fs::current_path(mWork);
    mOpened = true;
    KEL::KC_FILESYSTEM::fGetInstance();
    mDevice = new host::RecordingDevice;
    mDevice->mKeepDraws = false;
    mRender.fSetDevice(mDevice);
    if (mRender.fInit(nullptr, 0.1f, 0.0f) != 1) return false;
    KEL::KS_RESOURCE_CONVERTERS& converters = KEL::KS_RESOURCE_CONVERTERS::fGet();
    converters.fLoadTexture = &fDecode;
    converters.fReleaseTexture = &fRelease;
    converters.fDefaultTexture = &fDefault;
    KEL::kcREPOSITORY = &mRepository;
    return mRepository.fLoad("data") == 1;
}

}  // namespace bench
