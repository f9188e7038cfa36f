// How the graphics window looks: its class, styles and title.
#pragma once

#include <string>

#include "platform_api.h"

namespace Pellux {

using WideString = std::basic_string<WCHAR>;

inline const WCHAR* window_class_name() { return wide(u"PelluxWnd"); }

// Double-clicks are wanted for the mouse queue; WND_NOCLOSE removes the close command.
constexpr UINT window_class_style(bool no_close) { return no_close ? (CS_NOCLOSE | CS_DBLCLKS) : CS_DBLCLKS; }

// A caption and system menu, no sizing border and no maximize box; WND_NOMINIMIZE drops the
// minimize box too.
constexpr DWORD window_style(bool no_minimize) {
    return no_minimize ? (WS_CAPTION | WS_SYSMENU) : (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
}

// The title for the executable at path: its file name without the folder and without the part
// from the last '.' of the file name on. Both '\\' and '/' separate folders, and a '.' in a folder
// name is not an extension.
WideString window_title_from_path(const WCHAR* path);

// The outer window size for a client area of width by height in the given style.
SIZE outer_window_size(int width, int height, DWORD style);

} // namespace Pellux
