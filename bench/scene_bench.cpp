// Scene benchmark: 2,000 sprites each driven by a move and a colour
// animator, plus 4 particle systems of 500 particles, on the recording
// renderer. Prints the CPU milliseconds per frame of the update (animators
// and particles) and of the draw (sprites and particles through the batch).
#include <chrono>
#include <cstdio>
#include <vector>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/bots/KC_BOT_COLOR.h"
#include "engine/bots/KC_BOT_MANAGER.h"
#include "engine/bots/KC_BOT_MOVE.h"
#include "engine/platform/KC_RANDOM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KC_PARTICLE_SYSTEM_EX.h"
#include "host/recording/RecordingDevice.h"

using namespace KEL;
using Clock = std::chrono::steady_clock;

int main() {
    constexpr int kSPRITES = 2000, kSYSTEMS = 4, kPARTICLES = 500, kFRAMES = 600;
    auto* device = new host::RecordingDevice;
    device->mKeepDraws = false;
    KC_RENDER render;
    render.fSetDevice(device);
    if (render.fInit(nullptr, 0.1f, 0.0f) != 1) return 1;
    KC_RANDOM random(0);
    kcRANDOM = &random;
    KC_TEXTURE* textures[2] = {render.fCreateTexture(32, 32), render.fCreateTexture(16, 16)};

    std::vector<G_SPRITE*> sprites;
    KC_BOT_MANAGER bots;
    for (int i = 0; i < kSPRITES; ++i) {
        auto* sprite = new G_SPRITE();
        sprite->fSetup(textures[(i / 100) % 2]);
        sprite->fGetTransform()->fSetPos(float(i % 64) * 16.0f, float(i / 64) * 24.0f, 0.0f);
        sprites.push_back(sprite);
        bots.fAdd(fCreateBotMove(sprite->fGetTransform(), 100.0f, 0.0f, 512.0f, 384.0f, 0.0f, 0.0f));
        bots.fAdd(fCreateBotColor(sprite, 100.0f, 0x00000000u, 0.0f));
    }
    std::vector<KC_PARTICLE_SYSTEM_EX*> systems;
    for (int i = 0; i < kSYSTEMS; ++i) {
        auto* system = new KC_PARTICLE_SYSTEM_EX(textures[0]);
        system->mMaxCount = kPARTICLES;
        system->mTemplate.lifetime = 1000.0f;
        system->fSetFrequency(1000.0f);
        system->fSetAreaCircle(256.0f + 128.0f * float(i), 384.0f, 100.0f);
        system->mSpreadAngle = 3.0f;
        system->fStart();
        systems.push_back(system);
    }
    kfFRAME_DELTA = 1.0f / 60.0f;
    while (systems[0]->mLiveCount < kPARTICLES)  // at most one particle per frame
        for (KC_PARTICLE_SYSTEM_EX* system : systems) system->fUpdate();

    kfFRAME_DELTA = 1.0f / 600.0f;  // keeps everything on screen and alive
    double update = 0, draw = 0;
    for (int frame = 0; frame < kFRAMES; ++frame) {
        const auto t0 = Clock::now();
        bots.fUpdate();
        for (KC_PARTICLE_SYSTEM_EX* system : systems) system->fUpdate();
        const auto t1 = Clock::now();
        render.fBeginFrame();
        for (G_SPRITE* sprite : sprites) sprite->fDrawWith();
        for (KC_PARTICLE_SYSTEM_EX* system : systems) system->fDraw();
        render.fEndFrame();
        const auto t2 = Clock::now();
        update += std::chrono::duration<double, std::milli>(t1 - t0).count();
        draw += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    std::printf("scene bench: %d sprites (move + colour animators), %d x %d particles, %d frames\n", kSPRITES, kSYSTEMS,
                systems[0]->mLiveCount, kFRAMES);
    std::printf("update: %.3f ms/frame, draw: %.3f ms/frame, draw calls/frame: %.1f\n", update / kFRAMES,
                draw / kFRAMES, double(device->mDrawCalls) / kFRAMES);

    bots.fDeleteAll();
    for (G_SPRITE* sprite : sprites) delete sprite;
    for (KC_PARTICLE_SYSTEM_EX* system : systems) delete system;
    kcRANDOM = nullptr;
    return 0;
}
