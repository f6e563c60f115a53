#pragma once

#include "engine/gui/KS_GUI_EVENT.h"

namespace KEL {

// What a widget tree, window, page set, the window manager or the board did
// with one mouse pass or poll. The event is a copy taken when the pass ended,
// so it stays valid whatever happens to the widget afterwards.
struct KS_MOUSE_RESULT {
    enum class KE_KIND : int32_t {
        kNOT_TAKEN = 0,  // the pass goes on to the next receiver
        kEVENT = 1,      // taken; mEvent says which widget did what
        kANIMATING = 2,  // taken while an animation runs; no event
        kTAKEN = 3,      // taken by a receiver that is no widget (a board cell, a sprite button); no event
    };

    KE_KIND mKind = KE_KIND::kNOT_TAKEN;
    KS_GUI_EVENT mEvent;

    static KS_MOUSE_RESULT fNotTaken() { return {}; }
    static KS_MOUSE_RESULT fEvent(const KS_GUI_EVENT& event) { return {KE_KIND::kEVENT, event}; }
    static KS_MOUSE_RESULT fAnimating() { return {KE_KIND::kANIMATING, {}}; }
    static KS_MOUSE_RESULT fTakenNoEvent() { return {KE_KIND::kTAKEN, {}}; }
    // The result when it reports a widget event, else not taken: a control
    // built of widgets takes what one of them reports.
    KS_MOUSE_RESULT fEventOnly() const { return fHasEvent() ? *this : fNotTaken(); }

    bool fTaken() const { return mKind != KE_KIND::kNOT_TAKEN; }
    bool fHasEvent() const { return mKind == KE_KIND::kEVENT; }
};

}  // namespace KEL
