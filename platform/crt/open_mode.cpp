#include "open_mode.h"

#include <cstring>

namespace layer::crt {

std::string OpenMode::c_mode() const {
    std::string mode(1, kind);
    if (update) mode += '+';
    return mode;
}

std::optional<OpenMode> parse_open_mode(const char* mode) {
    if (!mode) return std::nullopt;
    while (*mode == ' ') ++mode;
    OpenMode result;
    if (*mode != 'r' && *mode != 'w' && *mode != 'a') return std::nullopt;
    result.kind = *mode++;
    bool seen_plus = false, seen_text_or_binary = false, seen_commit = false, seen_access_hint = false;
    bool seen_temporary = false, seen_delete = false, seen_no_inherit = false, seen_new = false;
    const auto once = [](bool& seen) {
        if (seen) return false;
        seen = true;
        return true;
    };
    for (; *mode; ++mode) {
        bool ok = true;
        switch (*mode) {
        case '+': ok = once(seen_plus); result.update = true; break;
        case 't': ok = once(seen_text_or_binary); result.text = true; break;
        case 'b': ok = once(seen_text_or_binary); result.text = false; break;
        case 'c':
        case 'n': ok = once(seen_commit); break;
        case 'S':
        case 'R': ok = once(seen_access_hint); break;
        case 'T': ok = once(seen_temporary); break;
        case 'D': ok = once(seen_delete); result.delete_on_close = true; break;
        case 'N': ok = once(seen_no_inherit); break;
        case 'x': ok = once(seen_new) && result.kind == 'w'; result.must_be_new = true; break;
        case ' ': break;
        default: ok = false; break;
        }
        if (!ok) return std::nullopt;
    }
    return result;
}

} // namespace layer::crt
