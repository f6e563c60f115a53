// Batched requests are drawn grouped by texture where nothing in between
// overlaps them; whatever was drawn on top must stay on top.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/render/KC_RENDER.h"
#include "host/recording/RecordingDevice.h"

using namespace KEL;
using host::RecordingDevice;

namespace {

class RenderOrderTest : public ::testing::Test {
protected:
    void SetUp() override {
        mDevice = new RecordingDevice;
        mRender.fSetDevice(mDevice);
        ASSERT_EQ(mRender.fInit(nullptr, 0.1f, 0.0f), 1);
        mA = mRender.fCreateTexture(4, 4);
        mB = mRender.fCreateTexture(4, 4);
        mC = mRender.fCreateTexture(4, 4);
        mDevice->fClearLog();
        ASSERT_EQ(mRender.fBeginFrame(), 1);
    }

    static KS_RENDER_STATE fSprite() {
        KS_RENDER_STATE s;
        s.blend = 1;
        s.filter = KS_RENDER_STATE::kFILTER_LINEAR;
        s.textured = 1;
        s.primitive = KS_RENDER_STATE::kTRIANGLES;
        s.camera = 1;
        return s;
    }

    // A screen rectangle at depth 1; its colour names it.
    void fRect(KC_TEXTURE* texture, float x, float y, float w, float h, uint32_t id,
               const KS_RENDER_STATE& state = fSprite()) {
        KS_VERTEX v[4];
        v[0].fSetPos(x, y, 1);
        v[1].fSetPos(x + w, y, 1);
        v[2].fSetPos(x + w, y + h, 1);
        v[3].fSetPos(x, y + h, 1);
        for (auto& vertex : v) vertex.fSetColor(id);
        static const uint16_t kIndices[6] = {0, 1, 2, 0, 2, 3};
        mRender.fDrawBatch(v, texture, &state, 4, kIndices, 6);
    }

    // The names of the rectangles in the order the device drew them.
    std::vector<uint32_t> fDrawnOrder() const {
        std::vector<uint32_t> ids;
        for (const auto& draw : mDevice->mDraws) {
            const auto* v = reinterpret_cast<const KS_VERTEX*>(draw.vertices.data());
            const size_t n = draw.vertices.size() / sizeof(KS_VERTEX);
            for (size_t i = 0; i < n; i += 4) ids.push_back(v[i].color);
        }
        return ids;
    }

    RecordingDevice* mDevice = nullptr;
    KC_RENDER mRender;
    KC_TEXTURE* mA = nullptr;
    KC_TEXTURE* mB = nullptr;
    KC_TEXTURE* mC = nullptr;
};

}  // namespace

TEST_F(RenderOrderTest, CardsSideBySideShareOneDrawPerTexture) {
    // Card, its text, the next card, its text: two draws, not four.
    for (uint32_t i = 0; i < 5; ++i) {
        fRect(mA, 100.0f + 120.0f * float(i), 100, 100, 140, 10 + i);
        fRect(mB, 110.0f + 120.0f * float(i), 120, 60, 20, 20 + i);
    }
    mRender.fFlush();
    ASSERT_EQ(mDevice->mDrawCalls, 2);
    EXPECT_EQ(mDevice->mDraws[0].texture, mA->mTexture.get());
    EXPECT_EQ(mDevice->mDraws[1].texture, mB->mTexture.get());
    EXPECT_EQ(fDrawnOrder(), (std::vector<uint32_t>{10, 11, 12, 13, 14, 20, 21, 22, 23, 24}));
    EXPECT_EQ(mRender.fGetRequestCount(), 10);
    EXPECT_EQ(mRender.fEndFrame(), 0);
}

TEST_F(RenderOrderTest, OverlapKeepsWhatIsOnTopOnTop) {
    // A panel, a picture over it, a second panel under nothing: the second
    // panel joins the first, the picture stays last.
    fRect(mA, 0, 0, 100, 100, 1);
    fRect(mB, 50, 50, 100, 100, 2);
    fRect(mA, 400, 0, 100, 100, 3);
    mRender.fFlush();
    EXPECT_EQ(fDrawnOrder(), (std::vector<uint32_t>{1, 3, 2}));
    EXPECT_EQ(mDevice->mDrawCalls, 2);
    mDevice->fClearLog();

    // The second A overlaps B: it may not move under it.
    fRect(mA, 0, 0, 100, 100, 1);
    fRect(mB, 50, 50, 100, 100, 2);
    fRect(mA, 120, 120, 10, 10, 3);
    mRender.fFlush();
    EXPECT_EQ(fDrawnOrder(), (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(mDevice->mDrawCalls, 3);
    mDevice->fClearLog();

    // Rectangles that only share an edge are taken as touching.
    fRect(mA, 0, 0, 100, 100, 1);
    fRect(mB, 100, 0, 100, 100, 2);
    fRect(mA, 200, 0, 100, 100, 3);
    mRender.fFlush();
    EXPECT_EQ(fDrawnOrder(), (std::vector<uint32_t>{1, 2, 3}));
    mDevice->fClearLog();

    // A different state word is a group of its own even with one texture.
    KS_RENDER_STATE additive = fSprite();
    additive.additive = 1;
    fRect(mA, 0, 0, 100, 100, 1);
    fRect(mA, 0, 0, 100, 100, 2, additive);
    fRect(mA, 0, 0, 100, 100, 3);
    mRender.fFlush();
    EXPECT_EQ(fDrawnOrder(), (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(mDevice->mDrawCalls, 3);
    EXPECT_EQ(mRender.fEndFrame(), 0);
}

TEST_F(RenderOrderTest, PointsLinesAndCamerasAreNeverMovedPast) {
    // Points carry their own size: nothing moves back over them.
    KS_RENDER_STATE points;
    points.primitive = KS_RENDER_STATE::kPOINTS;
    points.camera = 1;
    fRect(mA, 0, 0, 10, 10, 1);
    KS_VERTEX p;
    p.fSetPos(500, 500, 1);
    p.fSetColor(2);
    mRender.fDrawBatch(&p, nullptr, &points, 1, nullptr, 0);
    fRect(mA, 900, 600, 10, 10, 3);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 3);
    mDevice->fClearLog();

    // A line crossing a picture keeps its place between the two.
    fRect(mA, 0, 0, 100, 100, 1);
    mRender.fDrawLine(50, 50, 300, 50, 2);
    fRect(mA, 200, 0, 100, 100, 3);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 3);
    mDevice->fClearLog();

    // Requests seen through another camera are drawn after those before.
    KS_RENDER_STATE first = fSprite();
    first.camera = 0;
    fRect(mA, 0, 0, 10, 10, 1);
    fRect(mB, 500, 500, 10, 10, 2, first);
    fRect(mA, 900, 600, 10, 10, 3);
    mRender.fFlush();
    EXPECT_EQ(fDrawnOrder(), (std::vector<uint32_t>{1, 2, 3}));
    EXPECT_EQ(mRender.fEndFrame(), 0);
}

TEST_F(RenderOrderTest, TexturesReleasedWhileHeldAreDrawnFirst) {
    fRect(mC, 0, 0, 10, 10, 1);
    EXPECT_EQ(mDevice->mDrawCalls, 0);
    EXPECT_EQ(mRender.fReleaseTexture(mC), 1);
    EXPECT_EQ(mDevice->mDrawCalls, 1);
    mRender.fFlush();
    EXPECT_EQ(mDevice->mDrawCalls, 1);
    EXPECT_EQ(mRender.fEndFrame(), 0);
}

// Random rectangles over three textures: every sampled pixel shows the same
// rectangle on top as it would drawn in request order.
TEST_F(RenderOrderTest, RandomScenesShowTheSameTopmostPicture) {
    std::mt19937 random(7);
    KC_TEXTURE* textures[3] = {mA, mB, mC};
    struct Rect {
        float x, y, w, h;
    };
    int64_t drawsSaved = 0;
    for (int scene = 0; scene < 40; ++scene) {
        mDevice->fClearLog();
        std::vector<Rect> rects;
        const int count = 10 + int(random() % 60);
        for (int i = 0; i < count; ++i) {
            const Rect r{float(random() % 900), float(random() % 700), float(5 + random() % 200),
                         float(5 + random() % 150)};
            rects.push_back(r);
            fRect(textures[random() % 3], r.x, r.y, r.w, r.h, uint32_t(i));
        }
        mRender.fFlush();
        drawsSaved += count - mDevice->mDrawCalls;
        const std::vector<uint32_t> drawn = fDrawnOrder();
        ASSERT_EQ(drawn.size(), rects.size());
        for (float y = 2.5f; y < 860.0f; y += 9.0f)
            for (float x = 2.5f; x < 1100.0f; x += 9.0f) {
                int32_t wanted = -1, shown = -1;
                auto covers = [&](const Rect& r) { return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h; };
                for (size_t i = 0; i < rects.size(); ++i)
                    if (covers(rects[i])) wanted = int32_t(i);
                for (uint32_t id : drawn)
                    if (covers(rects[id])) shown = int32_t(id);
                ASSERT_EQ(shown, wanted) << "scene " << scene << " at " << x << ", " << y;
            }
    }
    EXPECT_GT(drawsSaved, 0);
    EXPECT_EQ(mRender.fEndFrame(), 0);
}
