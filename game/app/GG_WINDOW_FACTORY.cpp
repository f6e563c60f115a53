#include "game/app/GG_WINDOW_FACTORY.h"

#include <cstring>

#include "engine/audio/KC_SOUND_LIST.h"
#include "engine/gui/KC_GUI_OBJECT.h"
#include "engine/gui/KC_GUI_WLABEL.h"
#include "engine/resources/KC_STRING_TABLE.h"
#include "engine/util/KF_UTF8.h"
#include "engine/windows/G_WINDOW.h"
#include "engine/windows/G_WINDOW_MANAGER.h"
#include "game/product/GG_SOUND_GROUP.h"
#include "game/screens/GG_SCREEN_CLASSES.h"

namespace game {

namespace {

// Written before any window is made and read while windows are made, both
// on the thread that fills the window manager.
const KEL::KC_STRING_TABLE* gStrings = nullptr;
KEL::KC_SOUND_LIST* gSounds = nullptr;

const KS_WINDOW_CLASS* fFindClass(const char* type) {
    for (const KS_WINDOW_CLASS& entry : fWindowClasses())
        if (std::strcmp(entry.mType, type) == 0) return &entry;
    return nullptr;
}

}  // namespace

void fSetWindowServices(const KEL::KC_STRING_TABLE* strings, KEL::KC_SOUND_LIST* sounds) {
    gStrings = strings;
    gSounds = sounds;
}

std::unique_ptr<KEL::G_WINDOW> fCreateWindow(const pugi::xml_node& window) {
    const pugi::xml_attribute type = window.attribute("_type");
    const KS_WINDOW_CLASS* entry = type ? fFindClass(type.value()) : nullptr;
    if (!entry || !window.attribute("_name")) return nullptr;
    std::unique_ptr<KEL::G_WINDOW> made = entry->mMake(window);
    if (KEL::KC_GUI_ROOT* gui = made->fGetGui()) fLocalizeTree(&gui->fGetRootWidget());
    made->fSetSoundHandler(&fPlayClickSound);
    return made;
}

void fRegisterWindowClasses(KEL::G_WINDOW_MANAGER& manager) {
    for (const KS_WINDOW_CLASS& entry : fWindowClasses()) manager.fRegisterClass(entry.mType, &fCreateWindow);
}

void fLocalizeTree(KEL::KC_GUI_OBJECT* widget, const KEL::KC_STRING_TABLE& strings) {
    if (!widget) return;
    if (widget->fGetType() == KEL::KC_GUI_OBJECT::kTYPE_WLABEL) {
        if (auto* label = dynamic_cast<KEL::KC_GUI_WLABEL*>(widget))
            label->fSetText(KEL::fFromUtf8(strings.fGet(KEL::fToUtf8(label->fGetText()))));
    }
    for (int32_t i = 0; i < widget->fGetChildCount(); ++i) fLocalizeTree(widget->fGetChild(i), strings);
}

void fLocalizeTree(KEL::KC_GUI_OBJECT* widget) {
    if (gStrings) fLocalizeTree(widget, *gStrings);
}

void fPlayClickSound(const std::string& sound) {
    if (!sound.empty() && gSounds) gSounds->fPlaySound(GG_SOUND_GROUP::kSOUNDS, sound);
}

}  // namespace game
