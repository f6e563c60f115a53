#pragma once

#include <cstdint>
#include <deque>

#include <pugixml.hpp>

namespace KEL {
class KC_BIN_FILE;
}

namespace game {

class GG_PLAYER;

// A player's hearts: spent by lost levels, refilled one after another over
// wall-clock time. Each spent heart queues the start of its refill, so
// refills that came due while the game was closed are completed at once.
// The maximum is the owner's item "health". Main thread only.
class GG_HEALTH {
public:
    explicit GG_HEALTH(GG_PLAYER* owner = nullptr) : mOwner(owner) {}
    // Copies the hearts but keeps its own owner.
    GG_HEALTH& operator=(const GG_HEALTH& other);
    GG_HEALTH(const GG_HEALTH&) = delete;

    void fSetOwner(GG_PLAYER* owner) { mOwner = owner; }
    GG_PLAYER* fGetOwner() const { return mOwner; }

    // False at 0 hearts; otherwise one heart less and its refill queued.
    bool fUseHeart();
    // False at the maximum; otherwise one heart more and the oldest refill done.
    bool fAddHeart();
    // Completes the refills that are due; answers whether one is under way.
    bool fUpdate();
    // Per frame: the countdown runs down and a heart comes when it ends.
    void fTick(float seconds);
    // Empties the refill queue.
    void fClearQueue() { mQueue.clear(); }

    void fLoadXml(const pugi::xml_node& node);
    void fSaveXml(pugi::xml_node& node) const;
    void fLoadBinary(KEL::KC_BIN_FILE& file);
    void fSaveBinary(KEL::KC_BIN_FILE& file) const;

    uint8_t fGetIncrement() const { return mIncrement; }
    int32_t fGetCount() const { return mCount; }
    void fSetCount(int32_t count) { mCount = count; }
    int32_t fGetTimeRefill() const { return mTimeRefillHeart; }
    void fSetTimeRefill(int32_t seconds) { mTimeRefillHeart = seconds; }
    double fGetCountdown() const { return mCountdown; }
    const std::deque<int32_t>& fGetQueue() const { return mQueue; }

private:
    int32_t fGetMax() const;
    // Moves the queue so its oldest start is no later than now: a clock set
    // back must not hold refills for the length of the jump.
    void fRebaseQueue(int64_t now);

    uint8_t mIncrement = 0;
    int32_t mCount = 0;
    int32_t mTimeRefillHeart = 0;
    double mCountdown = 0.0;
    GG_PLAYER* mOwner = nullptr;
    // Start times of queued refills, seconds since 1970 as the save file
    // stores them, oldest first; arithmetic on them is done in 64 bits.
    std::deque<int32_t> mQueue;
};

}  // namespace game
