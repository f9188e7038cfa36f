// The Win32 names, as the platform layer provides them on Linux.
#pragma once

#include "win32/base.h"
#include "win32/kernel.h"
#include "win32/crt.h"
#include "win32/gdi.h"
#include "win32/user.h"
#include "win32/com.h"
