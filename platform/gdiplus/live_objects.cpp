#include "picture.h"

namespace layer::gdiplus {

LiveObjects<Picture>& live_pictures() {
    static auto* objects = new LiveObjects<Picture>;
    return *objects;
}

LiveObjects<Canvas>& live_canvases() {
    static auto* objects = new LiveObjects<Canvas>;
    return *objects;
}

} // namespace layer::gdiplus
