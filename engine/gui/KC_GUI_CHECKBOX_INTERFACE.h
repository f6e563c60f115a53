#pragma once

#include <cstdint>

#include "engine/gui/KC_GUI_OBJECT.h"

namespace KEL {

// What screens ask of any check box, whatever it looks like: a box with a
// tick or a sliding switch. Code 8 from a check box means it was toggled.
class KC_GUI_CHECKBOX_INTERFACE : public KC_GUI_OBJECT {
public:
    explicit KC_GUI_CHECKBOX_INTERFACE(int32_t id) : KC_GUI_OBJECT(id) {}

    virtual bool fIsChecked() const = 0;
    // immediately: no animation, for check boxes that have one.
    virtual void fSetChecked(bool checked, bool immediately) = 0;
};

}  // namespace KEL
