#include "engine/platform/KF_SYSTEM.h"

#include <malloc.h>
#include <spawn.h>
#include <sys/sysinfo.h>
#include <sys/wait.h>

#include "SERVICE/KS_RESULT.h"
#include "host/IClock.h"
#include "host/IKeyboard.h"
#include "host/IWindow.h"

extern char** environ;

namespace KEL {

void fGetDesktopSize(KS_POINT& size) { host::fGetDesktopSize(size.x, size.y); }

KS_POINT fGetDesktopSize() {
    KS_POINT size;
    fGetDesktopSize(size);
    return size;
}

void fGetDesktopSize(int32_t& width, int32_t& height) { host::fGetDesktopSize(width, height); }

uint32_t fGetTime() { return host::fClock().fTimeMs(); }
uint32_t fGetTimeMs() { return host::fClock().fTimeMs(); }
int64_t fGetDate() { return host::fClock().fDateSeconds(); }
const char* fGetLocale() { return "no locale"; }

int32_t fKeyToUnicode(int32_t key, const uint8_t states[256], wchar_t* out, int32_t size) {
    if (key < 0 || key > 255) return KS_RESULT::kFAILED;
    return host::fKeyToText(static_cast<uint32_t>(key), states, out, size) > 0 ? KS_RESULT::kOK : KS_RESULT::kFAILED;
}

bool fOpenUrl(const std::string& url) {
    if (url.empty()) return false;
    pid_t pid = 0;
    char program[] = "xdg-open";
    std::string copy = url;
    char* argv[] = {program, copy.data(), nullptr};
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return false;
    // xdg-open hands the address over and ends quickly; reap it.
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int32_t fGetDeviceKind() { return 0; }
bool fGetPlatformFlag() { return false; }
void fSleep(uint32_t ms) { host::fClock().fSleep(ms); }

int32_t fGetFreeMemoryMB() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0 || info.totalram == 0) return 0;
    const uint64_t unit = info.mem_unit ? info.mem_unit : 1;
    const uint64_t totalMb = static_cast<uint64_t>(info.totalram) * unit / (1024 * 1024);
    const uint64_t freeMb = static_cast<uint64_t>(info.freeram + info.bufferram) * unit / (1024 * 1024);
    const uint64_t load = totalMb ? (totalMb - freeMb) * 100 / totalMb : 0;
    return static_cast<int32_t>(totalMb - totalMb * load / 100);
}

void fReturnFreeMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

bool fSetWallpaper(const std::string&) { return false; }

}  // namespace KEL
