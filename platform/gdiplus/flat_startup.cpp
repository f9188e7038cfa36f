// Start-up and shutdown. The module needs no background work, so start-up only checks what it
// is given and counts the users; pictures work whether or not it has run, as with the
// platform's own imaging library under the reference.
#include <atomic>

#include "flat_api.h"

namespace layer::gdiplus {

namespace {

std::atomic<int>& users() {
    static std::atomic<int> count{0};
    return count;
}

Status WINAPI hook(ULONG_PTR* token) {
    if (!token) return InvalidParameter;
    *token = 1;
    return Ok;
}

void WINAPI unhook(ULONG_PTR) {}

} // namespace

Status WINAPI GdiplusStartup(ULONG_PTR* token, const StartupInput* input, StartupOutput* output) {
    if (!token || !input) return InvalidParameter;
    if (input->GdiplusVersion < 1 || input->GdiplusVersion > 2) return UnsupportedGdiplusVersion;
    // Without the background thread the caller must take the notification hooks.
    if (input->SuppressBackgroundThread && !output) return InvalidParameter;
    if (output) {
        output->NotificationHook = hook;
        output->NotificationUnhook = unhook;
    }
    *token = static_cast<ULONG_PTR>(++users());
    return Ok;
}

void WINAPI GdiplusShutdown(ULONG_PTR) {
    int current = users().load();
    while (current > 0 && !users().compare_exchange_weak(current, current - 1)) {
    }
}

} // namespace layer::gdiplus
