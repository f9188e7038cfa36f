// Comparing two folders of scene pictures, scene by scene.
#pragma once

#include <filesystem>
#include <ostream>

namespace compare {

struct FolderSummary {
    int scenes = 0;      // scene names found in either folder
    int differing = 0;   // scenes present in both whose pictures differ
    int missing = 0;     // scenes missing from one folder, or unreadable
    bool ok() const { return scenes > 0 && differing == 0 && missing == 0; }
};

// Compares every <scene>.png of the two folders, prints one line per scene to out, writes
// diff_folder/<scene>.png for each scene that differs and removes a stale one for each scene that
// now matches. No scene at all counts as a failure too: an empty run proves nothing.
FolderSummary compare_folders(const std::filesystem::path& reference, const std::filesystem::path& other,
                              const std::filesystem::path& diff_folder, std::ostream& out);

} // namespace compare
