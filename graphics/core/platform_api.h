// The one place where the library and the converter learn what the Win32 names mean:
// the system headers on Windows, the platform layer's own declarations elsewhere.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#else
#include <win32.h>
#endif

#include <cstdio>

namespace Pellux {

// Wide text is UTF-16 on every target; the source spells it as u"..." literals.
inline const WCHAR* wide(const char16_t* text) { return reinterpret_cast<const WCHAR*>(text); }
inline WCHAR* wide(char16_t* text) { return reinterpret_cast<WCHAR*>(text); }

} // namespace Pellux
