#include "utf16.h"

namespace layer {
namespace {

void append_utf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void append_utf16(std::u16string& out, char32_t code) {
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
    } else {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (code >> 10));
        out += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
    }
}

bool is_high_surrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// Length of the sequence a lead byte starts and the smallest code point it may carry.
struct Lead {
    int length;
    char32_t bits;
    char32_t minimum;
};

Lead classify(unsigned char byte) {
    if (byte < 0x80) return {1, byte, 0};
    if ((byte & 0xE0) == 0xC0) return {2, static_cast<char32_t>(byte & 0x1F), 0x80};
    if ((byte & 0xF0) == 0xE0) return {3, static_cast<char32_t>(byte & 0x0F), 0x800};
    if ((byte & 0xF8) == 0xF0) return {4, static_cast<char32_t>(byte & 0x07), 0x10000};
    return {0, 0, 0};
}

} // namespace

std::string to_utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (is_high_surrogate(unit) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        append_utf8(out, unit);
    }
    return out;
}

std::u16string to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const Lead lead = classify(static_cast<unsigned char>(text[i]));
        char32_t code = lead.bits;
        bool valid = lead.length > 0 && i + lead.length <= text.size();
        for (int k = 1; valid && k < lead.length; ++k) {
            const auto byte = static_cast<unsigned char>(text[i + k]);
            if ((byte & 0xC0) != 0x80) valid = false;
            code = (code << 6) | (byte & 0x3F);
        }
        if (valid && (code < lead.minimum || code > 0x10FFFF)) valid = false;
        if (!valid) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        append_utf16(out, code);
        i += lead.length;
    }
    return out;
}

std::string to_native_path(const WCHAR* path) {
    std::string out = path ? to_utf8(path) : std::string();
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

std::string to_native_path(const char* path) {
    std::string out = path ? path : "";
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

} // namespace layer
