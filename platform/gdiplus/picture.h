// The objects behind the flat interface's opaque pointers, and the sets of live ones: every
// entry point checks the pointer it is given, so a disposed or foreign pointer is refused with
// InvalidParameter instead of being followed.
#pragma once

#include <mutex>
#include <unordered_set>

#include "flat_types.h"
#include "raster.h"

namespace layer::gdiplus {

struct Picture {
    Raster raster;
    // The stream a picture was decoded from: held, as the platform holds it, until disposal.
    IStream* source = nullptr;
};

struct Canvas {
    HDC dc = nullptr;
};

template <typename T>
class LiveObjects {
public:
    void add(const T* object) {
        std::lock_guard<std::mutex> guard(mutex_);
        objects_.insert(object);
    }
    // True when object was live; it is not any more.
    bool remove(const T* object) {
        std::lock_guard<std::mutex> guard(mutex_);
        return objects_.erase(object) != 0;
    }
    bool contains(const T* object) const {
        std::lock_guard<std::mutex> guard(mutex_);
        return objects_.count(object) != 0;
    }

private:
    mutable std::mutex mutex_;
    std::unordered_set<const T*> objects_;
};

// Constructed on first use and never destroyed: pictures may be disposed from other objects'
// destructors at process exit.
LiveObjects<Picture>& live_pictures();
LiveObjects<Canvas>& live_canvases();

} // namespace layer::gdiplus
