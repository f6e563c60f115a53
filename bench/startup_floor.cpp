// The floor of any program here: opens the game-sized window with an OpenGL
// context through the host layer, clears and presents one frame, marks the
// moment in the milestone file the launcher names, and ends once that frame
// is out. Nothing of the engine or the game runs.
// With --textured it then draws one blended, textured quad for a few frames
// and prints its resident size: what the software rasteriser costs any
// program that draws a picture at all.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "bench/BenchResident.h"
#include "host/IGraphicsDevice.h"
#include "host/IWindow.h"

namespace {

using bench::fResidentMb;

// The vertex layout the device reads for kFVF_VERTEX.
struct Vertex {
    float x, y, z, nx, ny, nz;
    uint32_t color;
    float u, v;
};

bool fDrawTexturedQuad(host::IGraphicsDevice& device) {
    host::GTexture* texture = device.fCreateTexture(256, 256, 0, host::GFormat::ABGR8);
    host::GBuffer* buffer = device.fCreateVertexBuffer(6 * sizeof(Vertex), 0, host::kFVF_VERTEX);
    if (!texture || !buffer) return false;
    int32_t pitch = 0;
    auto* texels = static_cast<uint8_t*>(texture->fLock(&pitch));
    if (!texels) return false;
    for (int32_t y = 0; y < 256; ++y) std::memset(texels + size_t(y) * size_t(pitch), y, 256 * 4);
    texture->fUnlock();
    const Vertex quad[6] = {{-1, -1, 0, 0, 0, 0, 0x80FFFFFFu, 0, 1}, {1, -1, 0, 0, 0, 0, 0x80FFFFFFu, 1, 1},
                            {1, 1, 0, 0, 0, 0, 0x80FFFFFFu, 1, 0},   {-1, -1, 0, 0, 0, 0, 0x80FFFFFFu, 0, 1},
                            {1, 1, 0, 0, 0, 0, 0x80FFFFFFu, 1, 0},   {-1, 1, 0, 0, 0, 0, 0x80FFFFFFu, 0, 0}};
    void* bytes = buffer->fLock(0, sizeof quad, 0);
    if (!bytes) return false;
    std::memcpy(bytes, quad, sizeof quad);
    buffer->fUnlock();
    device.fSetRenderState(host::GRenderState::ALPHABLENDENABLE, 1);
    device.fSetRenderState(host::GRenderState::SRCBLEND, host::kBLEND_SRCALPHA);
    device.fSetRenderState(host::GRenderState::DESTBLEND, host::kBLEND_INVSRCALPHA);
    for (int frame = 0; frame < 10; ++frame) {
        device.fBeginScene();
        device.fClear(host::kCLEAR_TARGET, 0xFF444444u, 1.0f, 0);
        device.fSetTexture(0, texture);
        device.fSetFVF(host::kFVF_VERTEX);
        device.fSetStreamSource(0, buffer, 0, sizeof(Vertex));
        device.fDrawPrimitive(host::GPrimitive::TRIANGLELIST, 0, 2);
        device.fEndScene();
        device.fPresent();
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool textured = argc > 1 && std::strcmp(argv[1], "--textured") == 0;
    std::unique_ptr<host::IWindow> window = host::fMakeWindow();
    if (!window->fCreate("floor", 1024, 768, false)) return 1;
    std::unique_ptr<host::IGraphicsDevice> device(host::fCreateGraphicsDevice());
    host::GPresentParams params;
    params.backBufferWidth = 1024;
    params.backBufferHeight = 768;
    if (!device || !device->fCreate(window->fNativeHandle(), host::GDeviceType::HAL, 0, params)) return 1;
    device->fBeginScene();
    device->fClear(host::kCLEAR_TARGET | host::kCLEAR_ZBUFFER, 0xFF444444u, 1.0f, 0);
    device->fEndScene();
    device->fPresent();
    if (const char* path = std::getenv("NONOGRAM_MILESTONES")) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (FILE* file = std::fopen(path, "a")) {
            std::fprintf(file, "frame %lld\n", (long long)now.tv_sec * 1000000LL + now.tv_nsec / 1000);
            std::fclose(file);
        }
    }
    if (textured) {
        std::printf("resident, one cleared frame        %.1f MB\n", fResidentMb());
        if (!fDrawTexturedQuad(*device)) return 1;
        std::printf("resident, one textured quad drawn  %.1f MB\n", fResidentMb());
    }
    return 0;
}
