// The last-error slot, one per thread as on the platform.
#include <win32/base.h>

namespace {
thread_local DWORD last_error = ERROR_SUCCESS;
}

DWORD WINAPI GetLastError() { return last_error; }

void WINAPI SetLastError(DWORD code) { last_error = code; }
