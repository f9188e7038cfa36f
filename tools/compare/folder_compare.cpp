#include "folder_compare.h"

#include <set>
#include <string>
#include <system_error>

#include "picture_diff.h"

namespace compare {
namespace {

std::set<std::string> scene_names(const std::filesystem::path& folder) {
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file() && entry.path().extension() == ".png") names.insert(entry.path().stem().string());
    return names;
}

} // namespace

FolderSummary compare_folders(const std::filesystem::path& reference, const std::filesystem::path& other,
                              const std::filesystem::path& diff_folder, std::ostream& out) {
    FolderSummary summary;
    const std::set<std::string> in_reference = scene_names(reference);
    const std::set<std::string> in_other = scene_names(other);
    std::set<std::string> all = in_reference;
    all.insert(in_other.begin(), in_other.end());
    summary.scenes = static_cast<int>(all.size());

    std::error_code error;
    std::filesystem::create_directories(diff_folder, error);

    for (const std::string& name : all) {
        const std::string file = name + ".png";
        const std::filesystem::path diff_path = diff_folder / file;
        if (!in_reference.count(name) || !in_other.count(name)) {
            ++summary.missing;
            out << name << ": missing from " << (in_reference.count(name) ? other : reference).string() << '\n';
            continue;
        }
        Picture a, b;
        std::string why;
        if (!read_png((reference / file).string(), a, why) || !read_png((other / file).string(), b, why)) {
            ++summary.missing;
            out << name << ": unreadable: " << why << '\n';
            continue;
        }
        const PictureDiff diff = diff_pictures(a, b);
        if (diff.differing == 0) {
            std::filesystem::remove(diff_path, error);
            out << name << ": 0 differing pixels\n";
            continue;
        }
        ++summary.differing;
        out << name << ": " << diff.differing << " differing pixels";
        if (diff.size_differs)
            out << " (sizes " << a.width << "x" << a.height << " and " << b.width << "x" << b.height << ")";
        else if (diff.spare_only)
            out << " (" << diff.spare_only << " in the spare byte only)";
        if (write_png(diff_path.string(), diff.picture))
            out << ", see " << diff_path.string();
        out << '\n';
    }
    return summary;
}

} // namespace compare
