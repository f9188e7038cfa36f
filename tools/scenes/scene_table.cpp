#include "scene.h"

namespace scenes {

std::vector<Scene> all_scenes() {
    std::vector<Scene> all;
    for (auto group : {rop_scenes(), pixel_scenes(), image_scenes(), picture_scenes()}) all.insert(all.end(), group.begin(), group.end());
    return all;
}

} // namespace scenes
