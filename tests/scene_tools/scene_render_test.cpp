#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "graphics.h"
#include "scene.h"

namespace {

std::vector<DWORD> render(const scenes::Scene& scene) {
    IMAGE canvas(scene.width, scene.height);
    set_target_image(&canvas);
    scene.draw(canvas);
    GdiFlush();
    std::vector<DWORD> pixels;
    if (canvas.buffer) pixels.assign(canvas.buffer, canvas.buffer + canvas.width * canvas.height);
    set_target_image(nullptr);
    return pixels;
}

TEST(SceneTable, NamesAreUniqueAndSafeAsFileNames) {
    std::set<std::string> seen;
    for (const scenes::Scene& scene : scenes::all_scenes()) {
        const std::string name = scene.name;
        EXPECT_TRUE(seen.insert(name).second) << "two scenes named " << name;
        EXPECT_FALSE(name.empty());
        EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }))
            << name;
        EXPECT_GT(scene.width, 0) << name;
        EXPECT_GT(scene.height, 0) << name;
    }
    EXPECT_FALSE(seen.empty());
}

class SceneRender : public testing::TestWithParam<scenes::Scene> {};

// A scene that comes out differently on a second run (uninitialised pixels, state leaking from
// one run into the next) would make the comparison between targets meaningless; one that draws
// nothing would prove nothing.
TEST_P(SceneRender, DrawsSomethingAndTheSameEachTime) {
    const scenes::Scene& scene = GetParam();
    const std::vector<DWORD> first = render(scene);
    ASSERT_EQ(first.size(), static_cast<size_t>(scene.width) * scene.height);
    const std::set<DWORD> colours(first.begin(), first.end());
    EXPECT_GT(colours.size(), 2u) << "the scene left its canvas (nearly) uniform";
    EXPECT_EQ(render(scene), first);
}

INSTANTIATE_TEST_SUITE_P(AllScenes, SceneRender, testing::ValuesIn(scenes::all_scenes()),
                         [](const testing::TestParamInfo<scenes::Scene>& info) { return std::string(info.param.name); });

} // namespace
