// Draws 10,000 sprites per frame (two textures in alternating runs of 100)
// through the renderer's batch, on the recording device and on the OpenGL
// device, and prints CPU milliseconds per frame, draw calls per frame and
// vertices per second. Arguments: frames (200), texture filter (3, anisotropic).
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>

#include "SERVICE/KS_RESULT.h"
#include "engine/render/KC_RENDER.h"
#include "host/IWindow.h"
#include "host/gl/GlDevice.h"
#include "host/recording/RecordingDevice.h"

using namespace KEL;

namespace {

constexpr int kSPRITES = 10000;
constexpr int kRUN = 100;
uint32_t gFilter = KS_RENDER_STATE::kFILTER_ANISOTROPIC;  // as sprites draw

// The OpenGL device with vsync off: the figures measure drawing, not the
// display's refresh.
class UnsyncedGlDevice : public host::GlDevice {
public:
    bool fCreate(void* window, host::GDeviceType type, uint32_t behaviour,
                 const host::GPresentParams& params) override {
        return host::GlDevice::fCreate(window, type, behaviour, fUnsynced(params));
    }
    bool fReset(const host::GPresentParams& params) override { return host::GlDevice::fReset(fUnsynced(params)); }

private:
    static host::GPresentParams fUnsynced(host::GPresentParams params) {
        params.vsync = false;
        return params;
    }
};

double fCpuMs(clockid_t clock = CLOCK_PROCESS_CPUTIME_ID) {
    timespec t{};
    clock_gettime(clock, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

struct Figures {
    double cpuMs = 0, threadMs = 0, wallMs = 0;
    int drawCalls = 0;
    int frames = 0;
};

Figures fRun(KC_RENDER& render, int frames) {
    KC_TEXTURE* textures[2] = {render.fCreateTexture(32, 32), render.fCreateTexture(32, 32)};
    KS_RENDER_STATE state;
    state.blend = 1;
    state.filter = gFilter;
    state.textured = 1;
    state.primitive = KS_RENDER_STATE::kTRIANGLES;
    state.camera = 1;
    KS_VERTEX quad[4];
    quad[1].fSetPos(16, 0, 0);
    quad[2].fSetPos(16, 16, 0);
    quad[3].fSetPos(0, 16, 0);
    quad[1].fSetUV(1, 0);
    quad[2].fSetUV(1, 1);
    quad[3].fSetUV(0, 1);
    for (auto& v : quad) v.fSetColor(0xFFFFFFFFu);
    static const uint16_t kIndices[6] = {0, 1, 2, 0, 2, 3};

    Figures f;
    const double cpu0 = fCpuMs();
    const double thread0 = fCpuMs(CLOCK_THREAD_CPUTIME_ID);
    const auto wall0 = std::chrono::steady_clock::now();
    for (int frame = 0; frame < frames; ++frame) {
        if (render.fBeginFrame() != 1) continue;
        for (int i = 0; i < kSPRITES; ++i) {
            KS_MATRIX world;
            world.fTranslate(float((i * 37 + frame) % 1000), float((i * 53) % 750), 0);
            world.fRotateZ(float(i % 360) * 0.0174533f);
            render.fSetWorldMatrix(world);
            render.fDrawBatch(quad, textures[(i / kRUN) % 2], &state, 4, kIndices, 6);
        }
        render.fFlush();
        f.drawCalls += render.fGetFlushCount();
        render.fEndFrame();
        ++f.frames;
    }
    f.cpuMs = fCpuMs() - cpu0;
    f.threadMs = fCpuMs(CLOCK_THREAD_CPUTIME_ID) - thread0;
    f.wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall0).count();
    render.fReleaseTexture(textures[0]);
    render.fReleaseTexture(textures[1]);
    return f;
}

void fPrint(const char* name, const Figures& f) {
    if (f.frames == 0) {
        std::printf("%-10s no frame drawn\n", name);
        return;
    }
    const double vertices = 4.0 * kSPRITES * f.frames;
    // Process CPU includes a software rasteriser's worker threads; the
    // drawing thread's CPU is the engine's own cost.
    std::printf("%-10s %4d frames  CPU %7.2f ms/frame (drawing thread %6.2f)  wall %7.2f ms/frame  "
                "%5.1f draw calls/frame  %6.1f M vertices/s\n",
                name, f.frames, f.cpuMs / f.frames, f.threadMs / f.frames, f.wallMs / f.frames,
                double(f.drawCalls) / f.frames, vertices / (f.wallMs / 1000.0) / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 200;
    if (argc > 2) gFilter = uint32_t(std::atoi(argv[2])) & 15u;
    {
        auto* device = new host::RecordingDevice;
        device->mKeepDraws = false;
        KC_RENDER render;
        render.fSetDevice(device);
        if (render.fInit(nullptr, 0.1f, 0.0f) != KS_RESULT::kOK) return 1;
        fPrint("recording", fRun(render, frames));
    }
    {
        auto window = host::fMakeWindow();
        if (!window->fCreate("render bench", 1024, 768, false)) {
            std::printf("opengl     no window\n");
            return 0;
        }
        KC_RENDER render;
        render.fSetDevice(new UnsyncedGlDevice);
        if (render.fInit(window->fNativeHandle(), 0.1f, 0.0f) != KS_RESULT::kOK) {
            std::printf("opengl     no device\n");
            return 0;
        }
        fRun(render, 5);  // warm-up: shader and texture uploads
        fPrint("opengl", fRun(render, frames / 2 > 0 ? frames / 2 : 1));
    }
    return 0;
}
