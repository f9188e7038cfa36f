// On the platform, the runtime library reports a bad argument to its invalid-parameter handler,
// which ends the process by default. The tests check the documented results instead, which the
// runtime library returns once the handler comes back; the layer returns them directly.
#ifdef _WIN32
#include <cstdlib>
#include <cwchar>

namespace {

void ignore_invalid_parameter(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t) {}

const bool installed = (_set_invalid_parameter_handler(ignore_invalid_parameter), true);

} // namespace
#endif
