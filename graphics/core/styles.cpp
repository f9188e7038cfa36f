#include "styles.h"

#include <algorithm>

#include "image.h"

LINESTYLE::~LINESTYLE() { drop_pattern(); }

void LINESTYLE::drop_pattern() {
    delete[] user_pattern;
    user_pattern = nullptr;
}

LINESTYLE& LINESTYLE::operator=(const LINESTYLE& source) {
    if (this == &source) return *this;
    style = source.style;
    thickness = source.thickness;
    drop_pattern();
    if (source.user_pattern && source.user_pattern_count != 0 && (source.style & LINE_KIND_MASK) == LINE_KIND_USER) {
        user_pattern_count = source.user_pattern_count;
        user_pattern = new DWORD[user_pattern_count];
        std::copy_n(source.user_pattern, user_pattern_count, user_pattern);
    }
    // Otherwise the count keeps its own value: a record may hold a count without a pattern.
    return *this;
}

FILLSTYLE::~FILLSTYLE() { drop_pattern(); }

void FILLSTYLE::drop_pattern() {
    delete pattern_image;
    pattern_image = nullptr;
}

FILLSTYLE& FILLSTYLE::operator=(const FILLSTYLE& source) {
    if (this == &source) return *this;
    style = source.style;
    hatch = source.hatch;
    if (source.pattern_image && is_pattern_fill(source.style)) {
        if (!pattern_image) pattern_image = new IMAGE(0, 0);
        *pattern_image = *source.pattern_image;
    } else {
        drop_pattern();
    }
    return *this;
}
