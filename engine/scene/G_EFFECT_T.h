#pragma once

#include <deque>

#include "engine/scene/G_EFFECT_BASE.h"

namespace KEL {

// An effect queue whose steps each carry a target and a notification
// {argument, function(argument, target)} called when the step ends. Targets
// are not owned: the queue never deletes them.
template <typename T>
class G_EFFECT_T : public G_EFFECT_BASE {
public:
    using KF_NOTIFY = void (*)(void* argument, T target);

    struct KS_NOTIFY {
        void* mArgument = nullptr;
        KF_NOTIFY mFunction = nullptr;
    };

    // Appends an empty step that notifies function(argument, target) when
    // its animators have all finished.
    void fAddEffect(KF_NOTIFY function, void* argument, T target) {
        mSteps.emplace_back();
        mNotify.push_back(KS_NOTIFY{argument, function});
        mTargets.push_back(target);
    }

    // Appends an empty step that notifies nobody.
    void fPushStep(T target) { fAddEffect(nullptr, nullptr, target); }
    void fPushStep() override { fPushStep(T{}); }

    bool fStepFront() override {
        if (mSteps.empty()) return false;
        mStepping = true;
        mSteps.front().fUpdate();
        mStepping = false;
        if (!mSteps.front().fIsEmpty()) return false;
        // The step leaves the queue before its notification runs, so the
        // notification may push new steps or clear the queue.
        const KS_NOTIFY notify = mNotify.front();
        T target = mTargets.front();
        mSteps.pop_front();
        mNotify.pop_front();
        mTargets.pop_front();
        if (notify.mFunction) notify.mFunction(notify.mArgument, target);
        return mSteps.empty();
    }

    // Drops every step (their animators deleted, nobody notified). Called
    // from inside a running step, that step stops at the end of its pass.
    void fClear() {
        if (mStepping) {
            mSteps.front().fDeleteAll();
            mNotify.front() = KS_NOTIFY{};
            mSteps.erase(mSteps.begin() + 1, mSteps.end());
            mNotify.erase(mNotify.begin() + 1, mNotify.end());
            mTargets.erase(mTargets.begin() + 1, mTargets.end());
            return;
        }
        for (KC_BOT_MANAGER& step : mSteps) step.fDeleteAll();
        mSteps.clear();
        mNotify.clear();
        mTargets.clear();
    }

    // The target of step i (0 = front).
    T fTarget(int32_t index) const { return mTargets[static_cast<size_t>(index)]; }

private:
    std::deque<KS_NOTIFY> mNotify;
    std::deque<T> mTargets;
    bool mStepping = false;
};

}  // namespace KEL
