#pragma once

#include <cstdint>
#include <string>

#include "engine/util/KS_POINT.h"

// Small operating-system functions beside the window.
namespace KEL {

// The primary desktop's size in pixels.
void fGetDesktopSize(KS_POINT& size);
KS_POINT fGetDesktopSize();
void fGetDesktopSize(int32_t& width, int32_t& height);

// Milliseconds of the engine clock (wraps after 49.7 days).
uint32_t fGetTime();
uint32_t fGetTimeMs();
// Seconds since 1970.
int64_t fGetDate();
const char* fGetLocale();

// The text of key under the given key states (see host/IKeyboard.h) into
// out (size units, terminated when room is left); 1 when at least one unit
// was produced, else -1.
int32_t fKeyToUnicode(int32_t key, const uint8_t states[256], wchar_t* out, int32_t size);

// Opens a web address with the desktop's handler; true when it was started.
bool fOpenUrl(const std::string& url);
int32_t fGetDeviceKind();
bool fGetPlatformFlag();
void fSleep(uint32_t ms);
// Physical memory not in use, in MB.
int32_t fGetFreeMemoryMB();
// Gives freed heap memory back to the system, e.g. once the large buffers of
// a loading phase are gone.
void fReturnFreeMemory();
// Not available on this platform: false.
bool fSetWallpaper(const std::string& path);

}  // namespace KEL
