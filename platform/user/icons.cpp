// LoadCursorW, LoadIconW, ExtractIconW, DestroyIcon, SetCursor.
#include "user/icons.h"

#include "user/text.h"
#include "user/wm_lock.h"

#include <sys/stat.h>
#include <unordered_map>

namespace layer::user {
namespace {

struct IconEntry {
    std::shared_ptr<const IconImage> image;
    bool shared = false; // system icons and cursors: DestroyIcon leaves them alone
};

struct IconTable {
    std::unordered_map<HICON, IconEntry> entries;
    std::unordered_map<ULONG_PTR, HICON> system; // resource id (cursors offset by 0x10000) -> handle
    std::uintptr_t next = 0x20010;
};

IconTable& table() {
    static auto* t = new IconTable();
    return *t;
}

// The built-in picture of an application without icons of its own: a framed window with a
// blue title bar, 32 by 32.
std::shared_ptr<const IconImage> application_icon() {
    static const auto image = [] {
        auto icon = std::make_shared<IconImage>();
        icon->width = icon->height = 32;
        icon->argb.assign(32 * 32, 0);
        for (int y = 2; y < 30; ++y)
            for (int x = 2; x < 30; ++x) {
                std::uint32_t c = 0xFFFFFFFF;
                if (x == 2 || y == 2 || x == 29 || y == 29) c = 0xFF202020;
                else if (y < 9) c = 0xFF2060C0;
                icon->argb[y * 32 + x] = c;
            }
        return std::shared_ptr<const IconImage>(icon);
    }();
    return image;
}

// The built-in pointer: a white arrow with a black outline.
std::shared_ptr<const IconImage> arrow_cursor() {
    static const auto image = [] {
        auto cursor = std::make_shared<IconImage>();
        cursor->width = cursor->height = 32;
        cursor->argb.assign(32 * 32, 0);
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x <= y && x < 12; ++x)
                cursor->argb[y * 32 + x] = (x == 0 || x == y || y == 16 || x == 11) ? 0xFF000000 : 0xFFFFFFFF;
        return std::shared_ptr<const IconImage>(cursor);
    }();
    return image;
}

HICON add_locked(std::shared_ptr<const IconImage> image, bool shared) {
    auto& t = table();
    t.next += 2;
    const HICON handle = reinterpret_cast<HICON>(t.next);
    t.entries[handle] = IconEntry{std::move(image), shared};
    return handle;
}

HICON system_handle(ULONG_PTR key, std::shared_ptr<const IconImage> image) {
    std::lock_guard lock(wm_mutex());
    auto& t = table();
    auto it = t.system.find(key);
    if (it != t.system.end()) return it->second;
    const HICON handle = add_locked(std::move(image), true);
    t.system[key] = handle;
    return handle;
}

} // namespace

std::shared_ptr<const IconImage> icon_image(HICON icon) {
    if (icon == nullptr) return nullptr;
    std::lock_guard lock(wm_mutex());
    auto it = table().entries.find(icon);
    return it == table().entries.end() ? nullptr : it->second.image;
}

} // namespace layer::user

using namespace layer::user;

constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
constexpr DWORD ERROR_INVALID_ICON_HANDLE = 1402;

HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    // The layer has no resources of programs: only the system cursors, all drawn as the arrow.
    const auto id = reinterpret_cast<ULONG_PTR>(name);
    if (instance != nullptr || !is_int_resource(name) || id < 32512 || id > 32651) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return system_handle(0x10000 + id, arrow_cursor());
}

HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name) {
    const auto id = reinterpret_cast<ULONG_PTR>(name);
    if (instance != nullptr || !is_int_resource(name) || id < 32512 || id > 32518) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return system_handle(id, application_icon());
}

HICON WINAPI ExtractIconW(HINSTANCE, LPCWSTR exePath, UINT index) {
    // Executables here carry no icons: each one offers the built-in application icon as its one
    // icon. As on the platform: the count for index -1, null for a missing file or icon.
    if (exePath == nullptr) return nullptr;
    struct stat info{};
    if (stat(to_utf8(exePath).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return nullptr;
    if (index == 0xFFFFFFFFu) return reinterpret_cast<HICON>(static_cast<ULONG_PTR>(1));
    if (index != 0) return nullptr;
    std::lock_guard lock(wm_mutex());
    return add_locked(application_icon(), false);
}

BOOL WINAPI DestroyIcon(HICON icon) {
    std::lock_guard lock(wm_mutex());
    auto& entries = layer::user::table().entries;
    auto it = entries.find(icon);
    if (it == entries.end()) {
        SetLastError(ERROR_INVALID_ICON_HANDLE);
        return FALSE;
    }
    if (it->second.shared) return TRUE; // shared icons stay: destroying them does nothing
    entries.erase(it);
    return TRUE;
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    // One pointer shape is shown; the call only records the choice.
    static HCURSOR current = nullptr;
    std::lock_guard lock(wm_mutex());
    HCURSOR previous = current;
    current = cursor;
    return previous;
}
