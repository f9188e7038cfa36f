// Wide-string helpers of the kernel.
#include <win32/kernel.h>

namespace {

// The platform compares words the way a dictionary would: letters without regard to case
// first, then lower case before upper case; punctuation and symbols come before digits and
// digits before letters. This covers ASCII, which is what the layer's callers compare; other
// characters compare by code unit after ASCII.
int sort_class(char16_t c) {
    if (c >= u'0' && c <= u'9') return 1;
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) return 2;
    if (c < 0x80) return 0;
    return 3;
}

char16_t lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

int sign(int value) { return (value > 0) - (value < 0); }

int compare_primary(char16_t a, char16_t b) {
    const int by_class = sort_class(a) - sort_class(b);
    if (by_class != 0) return sign(by_class);
    return sign(static_cast<int>(lower(a)) - static_cast<int>(lower(b)));
}

// Lower case sorts first among letters that differ only in case.
int compare_case(char16_t a, char16_t b) {
    const bool a_upper = a >= u'A' && a <= u'Z';
    const bool b_upper = b >= u'A' && b <= u'Z';
    return static_cast<int>(a_upper) - static_cast<int>(b_upper);
}

} // namespace

LPWSTR WINAPI lstrcpynW(LPWSTR destination, LPCWSTR source, int max_length) {
    if (!destination || !source) return nullptr;
    if (max_length <= 0) return destination;
    int i = 0;
    for (; i < max_length - 1 && source[i]; ++i) destination[i] = source[i];
    destination[i] = 0;
    return destination;
}

int WINAPI lstrlenW(LPCWSTR text) {
    if (!text) return 0;
    int length = 0;
    while (text[length]) ++length;
    return length;
}

int WINAPI lstrcmpW(LPCWSTR first, LPCWSTR second) {
    if (!first || !second) return (first != nullptr) - (second != nullptr);
    int by_case = 0;
    std::size_t i = 0;
    for (;; ++i) {
        const char16_t a = first[i];
        const char16_t b = second[i];
        if (a == 0 || b == 0) {
            if (a != b) return a == 0 ? -1 : 1; // the shorter string first
            return by_case;
        }
        if (const int primary = compare_primary(a, b); primary != 0) return primary;
        if (by_case == 0) by_case = compare_case(a, b);
    }
}
