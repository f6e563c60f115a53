#include "tests/fuzz/FuzzSupport.h"

#include <cstdio>
#include <unistd.h>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/render/KC_RENDER.h"
#include "host/recording/RecordingDevice.h"

namespace fuzzsupport {

namespace {
// One scratch file per process, kept in memory where the system offers it
// (the file readers take paths) and removed when the process ends.
struct KS_SCRATCH {
    std::string mPath = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/nonogram-fuzz-") +
                        std::to_string(getpid());
    ~KS_SCRATCH() { std::remove(mPath.c_str()); }
};
}  // namespace

std::string fScratchFile(const uint8_t* data, size_t size) {
    static const KS_SCRATCH scratch;
    std::FILE* file = std::fopen(scratch.mPath.c_str(), "wb");
    if (!file) return scratch.mPath;
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);
    return scratch.mPath;
}

bool fParse(const uint8_t* data, size_t size, pugi::xml_document& document) {
    // The repository's options: escapes, end-of-line and attribute whitespace.
    return document.load_buffer(data, size, 116, pugi::encoding_auto);
}

const KS_SCENE& fScene() {
    static const KS_SCENE scene = [] {
        KS_SCENE made;
        auto* render = new KEL::KC_RENDER();
        render->fSetDevice(new host::RecordingDevice);
        render->fInit(nullptr, 0.1f, 0.0f);
        KEL::kcRENDER = render;
        made.mRender = render;
        made.mPage = render->fCreateTexture(128, 64);
        return made;
    }();
    return scene;
}

void fBeginFrame() { fScene().mRender->fBeginFrame(); }

void fEndFrame() {
    fScene().mRender->fEndFrame();
    // The recording device would otherwise keep every frame's draws.
    static_cast<host::RecordingDevice*>(fScene().mRender->fGetDevice())->fClearLog();
}

}  // namespace fuzzsupport
