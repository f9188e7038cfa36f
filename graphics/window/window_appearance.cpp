#include "window_appearance.h"

namespace Pellux {

WideString window_title_from_path(const WCHAR* path) {
    if (!path) return {};
    const WideString full(path);
    const auto separator = full.find_last_of(wide(u"\\/"));
    WideString name = separator == WideString::npos ? full : full.substr(separator + 1);
    const auto dot = name.rfind(static_cast<WCHAR>(u'.'));
    // A name that starts with its only dot keeps it: there would be no title left.
    if (dot != WideString::npos && dot > 0) name.resize(dot);
    return name;
}

SIZE outer_window_size(int width, int height, DWORD style) {
    RECT rect{0, 0, width, height};
    AdjustWindowRectEx(&rect, style, FALSE, 0);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace Pellux
