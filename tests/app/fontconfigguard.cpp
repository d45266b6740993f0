// Loaded into the program by the start-up test (LD_PRELOAD): holds fontconfig's FcInit back for
// a moment and aborts the program if its configuration is destroyed while FcInit is still at
// work. Qt's font database destroys that configuration when the application goes, so a program
// that loads the configuration on a second thread must wait for it before that.
#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {
std::atomic<int> initialising{0};

template <typename Function> Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}
} // namespace

extern "C" {

int FcInit() {
    ++initialising;
    usleep(200 * 1000);
    const int loaded = next<int (*)()>("FcInit")();
    --initialising;
    return loaded;
}

void FcConfigDestroy(void* config) {
    if (initialising.load() > 0) {
        std::fputs("fontconfig's configuration destroyed while FcInit runs\n", stderr);
        std::abort();
    }
    next<void (*)(void*)>("FcConfigDestroy")(config);
}

} // extern "C"
