#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// The row of dots under a page set, one per page, the current one marked.
// The dot texture is a strip of two equal frames side by side: the current
// page's dot, then every other page's. The row is centred on its transform;
// with fewer than two dots nothing is drawn.
//
// The owning window moves the dots together with its page set's turns, and
// only when the page set reports that a turn happened.
class G_PAGES_DOTS {
public:
    // Attribute "file" names the dot texture; child "TRANSFORM" places the
    // row (twelve numbers).
    explicit G_PAGES_DOTS(const pugi::xml_node& element);
    explicit G_PAGES_DOTS(const std::string& textureName);

    void fDraw();
    void fSetPosition(float x, float y) { mTransform.fSetPos(x, y, 0.0f); }
    void fSetParent(KS_TRANSFORM3* parent) { mTransform.mParent = parent; }
    // The current dot stays within the new count.
    void fSetCount(uint32_t count);
    // One dot on, unless already at the last dot.
    void fNext();
    // One dot back, unless already at the first.
    void fPrev();
    void fReset() { mCurrent = 0; }
    void fReloadResources();
    void fReleaseResources();

    uint32_t fGetCount() const { return mCount; }
    uint32_t fGetCurrent() const { return mCurrent; }
    KS_TRANSFORM3& fGetTransform() { return mTransform; }
    const G_SPRITE& fGetSprite() const { return mSprite; }

private:
    KS_TRANSFORM3 mTransform;
    uint32_t mCount = 0;
    uint32_t mCurrent = 0;
    G_SPRITE mSprite;
};

}  // namespace KEL
