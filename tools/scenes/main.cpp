// scenes OUTDIR [NAME...]: draws the named scenes (all when none is named) and writes each as
// OUTDIR/<name>.png. scenes --list prints the names.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "graphics.h"
#include "png_writer.h"
#include "scene.h"

namespace {

// Draws one scene on a canvas of its own and writes the canvas.
bool render(const scenes::Scene& scene, const std::filesystem::path& folder) {
    bool written = false;
    {
        IMAGE canvas(scene.width, scene.height);
        set_target_image(&canvas);
        scene.draw(canvas);
        GdiFlush();
        const std::string path = (folder / (std::string(scene.name) + ".png")).string();
        if (canvas.buffer) {
            // DWORD is not the same type as std::uint32_t on every target; copy rather than alias.
            const std::vector<std::uint32_t> pixels(canvas.buffer, canvas.buffer + canvas.width * canvas.height);
            written = scenes::write_png(path, pixels.data(), canvas.width, canvas.height);
        }
        // The canvas must not be the target once it is gone.
        set_target_image(nullptr);
    }
    if (!written) std::fprintf(stderr, "scenes: cannot write %s\n", scene.name);
    return written;
}

const scenes::Scene* find(const std::vector<scenes::Scene>& all, const char* name) {
    for (const auto& scene : all)
        if (std::strcmp(scene.name, name) == 0) return &scene;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<scenes::Scene> all = scenes::all_scenes();
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const auto& scene : all) std::printf("%s\n", scene.name);
        return 0;
    }
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: scenes OUTDIR [SCENE...] | scenes --list\n");
        return 2;
    }

    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder)) {
        std::fprintf(stderr, "scenes: cannot make the folder %s\n", argv[1]);
        return 1;
    }

    std::vector<const scenes::Scene*> chosen;
    for (int i = 2; i < argc; ++i) {
        const scenes::Scene* scene = find(all, argv[i]);
        if (!scene) {
            std::fprintf(stderr, "scenes: no scene named %s\n", argv[i]);
            return 2;
        }
        chosen.push_back(scene);
    }
    if (chosen.empty())
        for (const auto& scene : all) chosen.push_back(&scene);

    int failures = 0;
    for (const scenes::Scene* scene : chosen)
        if (!render(*scene, folder)) ++failures;
    return failures == 0 ? 0 : 1;
}
