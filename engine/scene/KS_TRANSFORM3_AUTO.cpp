#include "engine/scene/KS_TRANSFORM3_AUTO.h"

namespace KEL {

void KS_TRANSFORM3_AUTO::fLoad(const pugi::xml_node& node) {
    fFromString(node.child_value());
    if (pugi::xml_attribute ax = node.attribute("auto_x")) {
        mAutoX = ax.as_float();
        mPosition.x = mAutoX * static_cast<float>(sScreenWidth);
    }
    if (pugi::xml_attribute ay = node.attribute("auto_y")) {
        mAutoY = ay.as_float();
        mPosition.y = mAutoY * static_cast<float>(sScreenHeight);
    }
}

void KS_TRANSFORM3_AUTO::fSetAuto(float ax, float ay) {
    mAutoX = ax;
    mAutoY = ay;
    mPosition.x = ax * static_cast<float>(sScreenWidth);
    mPosition.y = ay * static_cast<float>(sScreenHeight);
}

void KS_TRANSFORM3_AUTO::fSetScreenSize(int32_t width, int32_t height) {
    sScreenWidth = width;
    sScreenHeight = height;
}

}  // namespace KEL
