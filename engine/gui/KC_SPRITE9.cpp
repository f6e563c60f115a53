#include "engine/gui/KC_SPRITE9.h"

#include <algorithm>

#include "engine/scene/KE_ANCHOR.h"

namespace KEL {

namespace {

// Where each piece sits around the middle rectangle: the anchor of the piece
// that touches the rectangle and the rectangle's point it touches, as signs
// of half the rectangle's width and height (y grows downwards).
struct KS_PLACEMENT {
    int32_t anchor;
    float sx;
    float sy;
};

constexpr KS_PLACEMENT kPLACEMENTS[KC_SPRITE9::kPIECE_COUNT] = {
    {kANCHOR_BOTTOM_RIGHT, -1.0f, -1.0f},  // ul: lower right corner on the rectangle's upper left
    {kANCHOR_BOTTOM, 0.0f, -1.0f},         // up
    {kANCHOR_BOTTOM_LEFT, 1.0f, -1.0f},    // ur
    {kANCHOR_LEFT, 1.0f, 0.0f},            // rt
    {kANCHOR_TOP_LEFT, 1.0f, 1.0f},        // dr
    {kANCHOR_TOP, 0.0f, 1.0f},             // dn
    {kANCHOR_TOP_RIGHT, -1.0f, 1.0f},      // dl
    {kANCHOR_RIGHT, -1.0f, 0.0f},          // lt
    {kANCHOR_CENTRE, 0.0f, 0.0f},          // mid
};

}  // namespace

KC_SPRITE9::KC_SPRITE9() { fInitPieces(); }

KC_SPRITE9::KC_SPRITE9(const std::string& ul, const std::string& up, const std::string& ur, const std::string& lt,
                       const std::string& mid, const std::string& rt, const std::string& dl, const std::string& dn,
                       const std::string& dr) {
    fInitPieces();
    fSet(ul, up, ur, lt, mid, rt, dl, dn, dr);
}

KC_SPRITE9::KC_SPRITE9(const pugi::xml_node& element) {
    fInitPieces();
    fRead(element);
}

// Edges repeat along their length and the middle both ways, should a user
// ever map more than one copy of the texture onto them.
void KC_SPRITE9::fInitPieces() {
    for (G_SPRITE& piece : mPieces) piece.fGetTransform()->mParent = &mTransform;
    mPieces[kUP].mState.wrapU = 1;
    mPieces[kDN].mState.wrapU = 1;
    mPieces[kLT].mState.wrapV = 1;
    mPieces[kRT].mState.wrapV = 1;
    mPieces[kMID].mState.wrapU = 1;
    mPieces[kMID].mState.wrapV = 1;
}

void KC_SPRITE9::fSet(const std::string& ul, const std::string& up, const std::string& ur, const std::string& lt,
                      const std::string& mid, const std::string& rt, const std::string& dl, const std::string& dn,
                      const std::string& dr) {
    const std::string* names[kPIECE_COUNT] = {&ul, &up, &ur, &rt, &dr, &dn, &dl, &lt, &mid};
    for (int32_t i = 0; i < kPIECE_COUNT; ++i) {
        if (!names[i]->empty()) mPieces[i].fSetTextureName(*names[i]);
    }
}

void KC_SPRITE9::fRead(const pugi::xml_node& element) {
    auto name = [&element](const char* key) { return std::string(element.attribute(key).as_string()); };
    fSet(name("ul"), name("up"), name("ur"), name("lt"), name("mid"), name("rt"), name("dl"), name("dn"), name("dr"));
}

float KC_SPRITE9::fPieceWidth(KE_PIECE piece) const { return fHasPiece(piece) ? mPieces[piece].fGetWidth() : 0.0f; }

float KC_SPRITE9::fPieceHeight(KE_PIECE piece) const { return fHasPiece(piece) ? mPieces[piece].fGetHeight() : 0.0f; }

KC_SPRITE9::KE_PIECE KC_SPRITE9::fLeftCorner() const { return fHasPiece(kUL) ? kUL : kDL; }

KC_SPRITE9::KE_PIECE KC_SPRITE9::fRightCorner() const { return fHasPiece(kUR) ? kUR : kDR; }

// The size is clamped again here, not only in fSetSize: a size set before the
// first reload could not yet know the corners.
void KC_SPRITE9::fReloadResources() {
    for (G_SPRITE& piece : mPieces) piece.fReloadTexture();
    mMinWidth = fPieceWidth(fLeftCorner()) + fPieceWidth(fRightCorner());
    mMinHeight = fPieceHeight(fLeftCorner()) + fPieceHeight(fRightCorner());
    mWidth = mWidth == kUNSET ? mMinWidth : std::max(mWidth, mMinWidth);
    mHeight = mHeight == kUNSET ? mMinHeight : std::max(mHeight, mMinHeight);
    fLayout();
}

void KC_SPRITE9::fReleaseResources() {
    for (G_SPRITE& piece : mPieces) piece.fUnloadTexture();
}

void KC_SPRITE9::fSetSize(int32_t width, int32_t height) {
    mWidth = std::max(static_cast<float>(width), std::max(mMinWidth, 0.0f));
    mHeight = std::max(static_cast<float>(height), std::max(mMinHeight, 0.0f));
    fLayout();
}

void KC_SPRITE9::fSetPosition(float x, float y) { mTransform.fSetPos(x, y, 0.0f); }

void KC_SPRITE9::fLayout() {
    const float w = std::max(0.0f, mWidth - fPieceWidth(fLeftCorner()) - fPieceWidth(fRightCorner()));
    const float h = std::max(0.0f, mHeight - fPieceHeight(fLeftCorner()) - fPieceHeight(fRightCorner()));
    // Sizes first: a sprite's size setters put its hot spot back without offset.
    mPieces[kMID].fSetSize(w, h);
    mPieces[kUP].fSetWidth(w);
    mPieces[kDN].fSetWidth(w);
    mPieces[kLT].fSetHeight(h);
    mPieces[kRT].fSetHeight(h);
    const float a = w * 0.5f, b = h * 0.5f;
    for (int32_t i = 0; i < kPIECE_COUNT; ++i) {
        const KS_PLACEMENT& p = kPLACEMENTS[i];
        mPieces[i].fSetHotSpot(p.anchor, -p.sx * a, -p.sy * b);
    }
}

void KC_SPRITE9::fDraw() {
    for (int32_t i = 0; i < kPIECE_COUNT; ++i) {
        if (fHasPiece(static_cast<KE_PIECE>(i))) mPieces[i].fDrawWith();
    }
}

}  // namespace KEL
