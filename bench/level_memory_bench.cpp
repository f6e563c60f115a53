// Resident memory of the game as a player sees it: started in this process
// over the built content (run from the build folder, under Xvfb or any
// display), it waits for the title, notes the resident size, then plays the
// first 20 x 20 picture of pack 3 for two seconds, the title's windows let go
// as the level list does, and notes it again. Beside each: the pictures the
// repository holds and all the renderer's textures.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "SERVICE/KC_GAME.h"
#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "bench/BenchResident.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/scene/G_GAMEPLAY.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/app/GG_MAIN.h"
#include "game/app/gGame.h"

namespace {

using bench::fResidentMb;

// Decoded pictures the repository holds, as the textures' pixels.
double fPicturesMb() {
    return KEL::kcREPOSITORY ? double(KEL::kcREPOSITORY->fGetTextureBytes()) / (1024.0 * 1024.0) : 0.0;
}

// Every texture of the renderer: pictures, glyph pages, render targets and
// those made in code.
double fTexturesMb() {
    KEL::KC_RENDER* render = KEL::KC_RENDER::fCurrent();
    return render ? double(render->fGetTextureBytes()) / (1024.0 * 1024.0) : 0.0;
}

bool fRunUntil(KEL::KC_GAME& engine, bool (*done)(), double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end && engine.mRunning) {
        if (done && done()) return true;
        engine.fFrame();
    }
    return !done;
}

bool fAtTitle() {
    KEL::G_WINDOW_MANAGER* windows = game::gGame::fGetWindowManager();
    return game::fGetState() == game::kSTATE_RUNNING && windows && windows->fIsOpen("Title") &&
           !windows->fIsOpen("Fade_Transition");
}

}  // namespace

int main() {
    KEL::KC_GAME engine;
    KEL::kcGAME = &engine;
    game::fRegisterCallbacks();
    if (engine.fInit("") != 1) return 1;
    engine.mRunning = 1;
    if (!fRunUntil(engine, &fAtTitle, 60.0)) return 1;
    fRunUntil(engine, nullptr, 0.5);
    const double title = fResidentMb();
    const double titlePictures = fPicturesMb();
    const double titleTextures = fTexturesMb();
    game::gGame& game = *game::gGame::fGetGame();
    // As the level list does: the title's screens go, then the level starts
    // and the windows it does not use are given back.
    KEL::G_WINDOW_MANAGER* windows = game::gGame::fGetWindowManager();
    if (windows) windows->fHideAll();
    fRunUntil(engine, nullptr, 1.5);
    const bool shown = game.fShowLevel(3, 1);
    if (windows) windows->fUnloadAll(false);
    fRunUntil(engine, nullptr, 2.0);
    const double level = fResidentMb();
    const double levelPictures = fPicturesMb();
    const double levelTextures = fTexturesMb();
    std::printf("resident after the title  %.1f MB (pictures %.1f MB, textures %.1f MB)\n", title, titlePictures,
                titleTextures);
    std::printf("resident playing 20 x 20  %.1f MB (pictures %.1f MB, textures %.1f MB)%s\n", level, levelPictures,
                levelTextures, shown ? "" : " (the level did not start)");
    KEL::KC_CALLBACK::fCall(KEL::kcbAFTER_LOOP);
    return 0;
}
