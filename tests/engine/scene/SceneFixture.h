#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "SERVICE/KS_ENGINE_GLOBALS.h"
#include "engine/platform/KC_FILESYSTEM.h"
#include "engine/render/KC_RENDER.h"
#include "engine/resources/KC_REPOSITORY.h"
#include "engine/resources/KC_RESOURCE.h"
#include "engine/resources/KS_RESOURCE_CONVERTERS.h"
#include "host/recording/RecordingDevice.h"
#include "support/TestEnvironment.h"

namespace scenetest {


// A renderer on the recording device and a repository over a "data" folder
// whose image files are texts "W H": the fake decoder makes a blank texture
// of that size, so sprites can size themselves from their textures.
class SceneFixture : public ::testing::Test {
protected:
    void SetUp() override {
        KEL::KC_FILESYSTEM::fGetInstance();
        mDevice = new host::RecordingDevice;
        mRender.fSetDevice(mDevice);
        ASSERT_EQ(mRender.fInit(nullptr, 0.1f, 0.0f), 1);
        KEL::KS_RESOURCE_CONVERTERS& services = KEL::KS_RESOURCE_CONVERTERS::fGet();
        services.fLoadTexture = &fDecode;
        services.fReleaseTexture = &fReleaseTexture;
        services.fDefaultTexture = &fDefaultTexture;
        mRepository = new KEL::KC_REPOSITORY();
        KEL::kcREPOSITORY = mRepository;
    }
    void TearDown() override {
        KEL::kcREPOSITORY = nullptr;
        delete mRepository;
        KEL::KS_RESOURCE_CONVERTERS::fGet().fReset();
        KEL::kfFRAME_DELTA = 0.0f;
    }

    // Adds image files (and any other files) before mounting "data".
    static void fWrite(const std::string& name, const std::string& bytes) {
        testsupport::TestEnvironment::fWriteFile("Resources/data/" + name, bytes);
    }
    void fMount() { ASSERT_GE(mRepository->fLoad("data"), 1); }
    int32_t fUses(const std::string& name) {
        KEL::KC_RESOURCE* record = mRepository->fFindByName(name);
        return record ? record->mUses : -1;
    }

    // Triangles the renderer was handed in one frame of drawing.
    uint32_t fDrawnTriangles(const std::function<void()>& draw) {
        mDevice->mDraws.clear();
        EXPECT_EQ(mRender.fBeginFrame(), 1);
        draw();
        mRender.fEndFrame();
        uint32_t triangles = 0;
        for (const auto& d : mDevice->mDraws) triangles += d.count;
        return triangles;
    }

    static KEL::KC_TEXTURE* fDecode(const uint8_t* bytes, uint32_t size) {
        const std::string text(reinterpret_cast<const char*>(bytes), size);
        const int w = std::atoi(text.c_str());
        const size_t blank = text.find(' ');
        const int h = blank == std::string::npos ? 0 : std::atoi(text.c_str() + blank + 1);
        KEL::KC_RENDER* render = KEL::KC_RENDER::fCurrent();
        if (w <= 0 || h <= 0) return render->fGetDefaultTexture();
        KEL::KC_TEXTURE* texture = render->fCreateTexture(w, h);
        return texture ? texture : render->fGetDefaultTexture();
    }
    static int32_t fReleaseTexture(KEL::KC_TEXTURE* texture) {
        return KEL::KC_RENDER::fCurrent()->fReleaseTexture(texture);
    }
    static KEL::KC_TEXTURE* fDefaultTexture() { return KEL::KC_RENDER::fCurrent()->fGetDefaultTexture(); }

    host::RecordingDevice* mDevice = nullptr;
    KEL::KC_RENDER mRender;
    KEL::KC_REPOSITORY* mRepository = nullptr;
};

}  // namespace scenetest
