// Tick counts and sleeping. The tick count includes time spent suspended, as the platform's does.
#include <win32/kernel.h>

#include <cerrno>
#include <ctime>
#include <sched.h>
#include <unistd.h>

ULONGLONG WINAPI GetTickCount64() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<ULONGLONG>(now.tv_sec) * 1000u + static_cast<ULONGLONG>(now.tv_nsec) / 1000000u;
}

// Milliseconds modulo 2^32: wraps after about 49.7 days.
DWORD WINAPI GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

void WINAPI Sleep(DWORD milliseconds) {
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    if (milliseconds == INFINITE) {
        for (;;) ::pause();
    }
    timespec rest{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&rest, &rest) == -1 && errno == EINTR) {
    }
}
