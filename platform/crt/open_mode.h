// The runtime library's fopen mode strings: "r", "w" or "a", then any of "+", "t" or "b",
// the hint letters "c", "n", "N", "S", "R", "T", the request "D" (delete on close) and "x"
// (the file must be new), each at most once.
#pragma once

#include <optional>
#include <string>

namespace layer::crt {

struct OpenMode {
    char kind = 'r'; // 'r', 'w' or 'a'
    bool update = false; // '+': reading and writing
    bool text = true;    // text unless "b"
    bool must_be_new = false;
    bool delete_on_close = false;

    bool reads() const { return kind == 'r' || update; }
    bool writes() const { return kind != 'r' || update; }
    // The equivalent mode for the C library ("r", "w+", "a", ...), without text or binary.
    std::string c_mode() const;
};

// Empty for a mode the platform refuses (EINVAL), among them the character-set forms ",ccs=".
std::optional<OpenMode> parse_open_mode(const char* mode);

} // namespace layer::crt
