#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace KEL {

// An owning list of objects deleted through their virtual destructors.
template <class T>
class KC_PTR_LIST {
public:
    KC_PTR_LIST() = default;
    ~KC_PTR_LIST() { fClear(); }
    KC_PTR_LIST(const KC_PTR_LIST&) = delete;
    KC_PTR_LIST& operator=(const KC_PTR_LIST&) = delete;

    // Takes ownership.
    void fAdd(T* element) {
        if (element) mElements.push_back(element);
    }
    // Deletes and removes the element; false when it is not in the list.
    bool fErase(T* element) {
        auto it = std::find(mElements.begin(), mElements.end(), element);
        if (it == mElements.end()) return false;
        mElements.erase(it);
        delete element;
        return true;
    }
    void fClear() {
        // Emptied first, so a destructor that looks at the list sees no dead entries.
        std::vector<T*> elements;
        elements.swap(mElements);
        for (T* element : elements) delete element;
    }

    size_t fSize() const { return mElements.size(); }
    T* operator[](size_t index) const { return mElements[index]; }
    typename std::vector<T*>::const_iterator begin() const { return mElements.begin(); }
    typename std::vector<T*>::const_iterator end() const { return mElements.end(); }

private:
    std::vector<T*> mElements;
};

}  // namespace KEL
