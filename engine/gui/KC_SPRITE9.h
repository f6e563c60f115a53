#pragma once

#include <cstdint>
#include <string>

#include <pugixml.hpp>

#include "engine/scene/G_SPRITE.h"
#include "engine/scene/KS_TRANSFORM3.h"

namespace KEL {

// A rectangular frame of any size drawn from nine sprites: four corners that
// keep their size, four edges stretched along their length and a middle
// stretched both ways, laid around the frame's centre. Not a widget: its user
// owns it by value, gives it texture names, then reloads and sizes it.
//
// A piece counts as present only while it holds its own texture, so a piece
// without a name and a piece whose texture the repository does not know are
// both left out of the sizes, the layout and the drawing.
class KC_SPRITE9 {
public:
    enum KE_PIECE : int32_t { kUL, kUP, kUR, kRT, kDR, kDN, kDL, kLT, kMID, kPIECE_COUNT };

    static constexpr float kUNSET = -1.0f;

    KC_SPRITE9();
    // Texture names in the order ul, up, ur, lt, mid, rt, dl, dn, dr.
    KC_SPRITE9(const std::string& ul, const std::string& up, const std::string& ur, const std::string& lt,
               const std::string& mid, const std::string& rt, const std::string& dl, const std::string& dn,
               const std::string& dr);
    explicit KC_SPRITE9(const pugi::xml_node& element);
    // The pieces hang on this object's own transform.
    KC_SPRITE9(const KC_SPRITE9&) = delete;
    KC_SPRITE9& operator=(const KC_SPRITE9&) = delete;

    // Names each piece whose name is not empty; nothing is loaded yet.
    void fSet(const std::string& ul, const std::string& up, const std::string& ur, const std::string& lt,
              const std::string& mid, const std::string& rt, const std::string& dl, const std::string& dn,
              const std::string& dr);
    // The attributes "ul", "up", "ur", "lt", "mid", "rt", "dl", "dn", "dr".
    void fRead(const pugi::xml_node& element);

    // Fetches every named texture, recomputes the corners' size, fills an
    // unset size from it, raises a smaller one to it and lays out.
    void fReloadResources();
    void fReleaseResources();

    // Outer size; each side is raised to the corners' size when smaller.
    void fSetSize(int32_t width, int32_t height);
    void fSetPosition(float x, float y);

    float fGetWidth() const { return mWidth; }
    float fGetHeight() const { return mHeight; }
    float fGetMinWidth() const { return mMinWidth; }
    float fGetMinHeight() const { return mMinHeight; }
    KS_TRANSFORM3* fGetTransform() { return &mTransform; }
    const G_SPRITE& fGetPiece(KE_PIECE piece) const { return mPieces[piece]; }
    bool fHasPiece(KE_PIECE piece) const { return mPieces[piece].fHasOwnTexture(); }

    // Every present piece, in piece order, in the frame's place.
    void fDraw();

private:
    void fInitPieces();
    void fLayout();
    float fPieceWidth(KE_PIECE piece) const;
    float fPieceHeight(KE_PIECE piece) const;
    // The corner that stands for its side in the size sums.
    KE_PIECE fLeftCorner() const;
    KE_PIECE fRightCorner() const;

    KS_TRANSFORM3 mTransform;
    G_SPRITE mPieces[kPIECE_COUNT];
    float mWidth = kUNSET;
    float mHeight = kUNSET;
    float mMinWidth = kUNSET;
    float mMinHeight = kUNSET;
};

}  // namespace KEL
