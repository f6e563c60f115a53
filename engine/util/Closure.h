#pragma once

#include <cstdint>
#include <type_traits>

namespace KEL {

template <class Signature>
class Closure;

// A bound member call on a game or engine object: the object (not owned)
// and a stub, a free function generated per bound member that casts the
// object back and calls the member. Answers of question windows, the ends
// of fades and of effect steps reach their targets this way.
//
// Three kinds of target, chosen from the member's own parameter:
//   void f()          - called without an argument;
//   void f(int32_t)   - gets the integer the closure is invoked with;
//   void f(uint8_t) or void f(bool) - gets only its low byte.
// A virtual member bound by name is called virtually, like any other.
//
// A byte target of an answer that may be -1 would read "no" as 255, so code
// that hands on signed answers checks fKind() and refuses byte closures.
//
// A plain value: copy it freely. Invoking works on copies of the two
// pointers, so a target that clears or replaces the stored closure while
// it runs is safe. An empty closure does nothing.
template <>
class Closure<void()> {
public:
    using KT_STUB = void (*)(void* object, int32_t argument);
    enum class KE_KIND : uint8_t { kEMPTY, kNO_ARGUMENT, kINTEGER, kBYTE };

    Closure() = default;

    // Closure::fBind<&T::fMember>(object); a null object gives an empty
    // closure.
    template <auto Member, class T>
    static Closure fBind(T* object) {
        static_assert(std::is_member_function_pointer_v<decltype(Member)>, "bind a member function");
        if (!object) return {};
        return Closure(static_cast<void*>(object), &fStub<Member, T>, fKindOf(Member));
    }

    void operator()() const { fCall(0); }
    void operator()(int32_t argument) const { fCall(argument); }

    bool fIsEmpty() const { return mStub == nullptr; }
    explicit operator bool() const { return mStub != nullptr; }
    KE_KIND fKind() const { return mKind; }
    void fClear() { *this = Closure(); }

    bool operator==(const Closure& other) const { return mObject == other.mObject && mStub == other.mStub; }

private:
    Closure(void* object, KT_STUB stub, KE_KIND kind) : mObject(object), mStub(stub), mKind(kind) {}

    void fCall(int32_t argument) const {
        const KT_STUB stub = mStub;
        void* const object = mObject;
        if (stub) stub(object, argument);
    }

    template <class T>
    static constexpr KE_KIND fKindOf(void (T::*)()) {
        return KE_KIND::kNO_ARGUMENT;
    }
    template <class T>
    static constexpr KE_KIND fKindOf(void (T::*)(int32_t)) {
        return KE_KIND::kINTEGER;
    }
    template <class T>
    static constexpr KE_KIND fKindOf(void (T::*)(uint8_t)) {
        return KE_KIND::kBYTE;
    }
    template <class T>
    static constexpr KE_KIND fKindOf(void (T::*)(bool)) {
        return KE_KIND::kBYTE;
    }

    template <auto Member, class T>
    static void fStub(void* object, int32_t argument) {
        T* target = static_cast<T*>(object);
        constexpr KE_KIND kind = fKindOf(Member);
        if constexpr (kind == KE_KIND::kNO_ARGUMENT) {
            (target->*Member)();
        } else if constexpr (kind == KE_KIND::kINTEGER) {
            (target->*Member)(argument);
        } else {
            // A bool target reads any non-zero low byte as true.
            (target->*Member)(static_cast<uint8_t>(argument & 0xFF));
        }
    }

    void* mObject = nullptr;
    KT_STUB mStub = nullptr;
    KE_KIND mKind = KE_KIND::kEMPTY;
};

}  // namespace KEL
