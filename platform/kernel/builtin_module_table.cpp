// The table of the layer's built-in modules. Listed here explicitly: self-registration from
// static initialisers would be dropped from static libraries and has no defined order.
#include <layer/builtin_modules.h>

namespace layer {

std::span<const BuiltinModule* const> builtin_modules() {
    static const BuiltinModule* const modules[] = {
        &kernel32_module(),
        &gdiplus_module(),
    };
    return modules;
}

} // namespace layer
