// compare_scenes REFERENCE OTHER DIFFS: compares the scene pictures of two folders, prints the
// differing pixels per scene, writes difference pictures into DIFFS, and fails on any difference
// or missing scene.
#include <iostream>

#include "folder_compare.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: compare_scenes REFERENCE_FOLDER OTHER_FOLDER DIFF_FOLDER\n";
        return 2;
    }
    const compare::FolderSummary summary = compare::compare_folders(argv[1], argv[2], argv[3], std::cout);
    std::cout << summary.scenes << " scenes, " << summary.differing << " differ, " << summary.missing << " missing\n";
    return summary.ok() ? 0 : 1;
}
