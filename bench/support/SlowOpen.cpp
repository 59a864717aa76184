// SPDX-License-Identifier: GPL-3.0-or-later
// A stand-in for a far share in the benchmarks, loaded with LD_PRELOAD: every
// open of a file whose name ends in ".mp3" waits TAGNOMEN_SLOW_OPEN_US
// microseconds first, whichever thread opens it and whatever code path asks.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

void WaitFor(const char* path) {
    static const long micros = [] {
        const char* text = std::getenv("TAGNOMEN_SLOW_OPEN_US");
        return text != nullptr ? std::strtol(text, nullptr, 10) : 0L;
    }();
    const std::size_t length = path != nullptr ? std::strlen(path) : 0;
    if (micros > 0 && length >= 4 && std::strcmp(path + length - 4, ".mp3") == 0) {
        ::usleep(static_cast<useconds_t>(micros));
    }
}

mode_t ModeOf(int flags, va_list arguments) {
    return (flags & (O_CREAT | O_TMPFILE)) != 0 ? static_cast<mode_t>(va_arg(arguments, int)) : 0;
}

template <typename Function>
Function Next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    WaitFor(path);
    static const auto next = Next<int (*)(const char*, int, ...)>("open");
    return next(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    WaitFor(path);
    static const auto next = Next<int (*)(const char*, int, ...)>("open64");
    return next(path, flags, mode);
}

int openat(int directory, const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    WaitFor(path);
    static const auto next = Next<int (*)(int, const char*, int, ...)>("openat");
    return next(directory, path, flags, mode);
}

}  // extern "C"
