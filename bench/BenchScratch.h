#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "host/recording/RecordingDevice.h"

namespace bench {

using Clock = std::chrono::steady_clock;

double fMicros(Clock::time_point from, Clock::time_point to);

// A benchmark's own content on the recording renderer: a scratch folder whose
// Resources/data holds pictures written as "W H" texts (decoded as blank
// textures of that size) and fonts of fixed-width ASCII glyphs. fOpen enters
// the folder and brings up the file system, the renderer (draw calls counted,
// draws not kept) and a repository with "data" mounted. The destructor undoes
// it all and removes the folder; what was loaded must be released before.
class BenchScratch {
public:
    explicit BenchScratch(const std::string& name);
    ~BenchScratch();
    BenchScratch(const BenchScratch&) = delete;
    BenchScratch& operator=(const BenchScratch&) = delete;

    void fWritePicture(const std::string& file, int32_t width, int32_t height);
    // "<name>.xml" on a 256 x 256 "<name>.png": glyphs 11 x 20, advance 12.
    void fWriteFont(const std::string& name);

    bool fOpen();
    KEL::KC_RENDER& fRender() { return mRender; }
    host::RecordingDevice& fDevice() { return *mDevice; }

private:
    void fWrite(const std::string& file, const std::string& bytes);

    std::filesystem::path mWork;
    host::RecordingDevice* mDevice = nullptr;  // owned by mRender
    KEL::KC_RENDER mRender;
    KEL::KC_REPOSITORY mRepository;
    bool mOpened = false;
};

}  // namespace bench
