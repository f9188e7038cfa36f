// The line and fill style records that every image carries.
#pragma once

#include "platform_api.h"

class IMAGE;

// A pen description: line kind, caps and joins in `style`, width in `thickness`, and the dash
// lengths of a user-defined line kind.
class LINESTYLE {
public:
    LINESTYLE() = default;
    LINESTYLE(const LINESTYLE&) = delete;
    virtual ~LINESTYLE();
    LINESTYLE& operator=(const LINESTYLE& source);

    // Frees the user pattern; the recorded count is left as it is.
    void drop_pattern();

    int style = 0;
    int thickness = 1;
    DWORD* user_pattern = nullptr;
    DWORD user_pattern_count = 0;
};

// A brush description: `style` as the platform's brush style, `hatch` for hatched brushes, and a
// pattern image of the record's own for pattern brushes.
class FILLSTYLE {
public:
    FILLSTYLE() = default;
    FILLSTYLE(const FILLSTYLE&) = delete;
    virtual ~FILLSTYLE();
    FILLSTYLE& operator=(const FILLSTYLE& source);

    // Deletes the pattern image, if any.
    void drop_pattern();

    int style = 0;
    int hatch = 0;
    IMAGE* pattern_image = nullptr;
};

constexpr int LINE_KIND_MASK = 0xF;  // the platform's PS_STYLE_MASK
constexpr int LINE_KIND_USER = 7;    // PS_USERSTYLE
constexpr int FILL_PATTERN = 3;      // BS_PATTERN
constexpr int FILL_DIB_PATTERN = 5;  // BS_DIBPATTERN

inline bool is_pattern_fill(int style) { return style == FILL_PATTERN || style == FILL_DIB_PATTERN; }
