// The selected files of the main window's list, and the Delete question for several.
#include "app/file_selection.h"

#include <algorithm>

std::vector<JobFile> SelectedFiles(const FileList& files, std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<JobFile> selected;
    for (int row : rows) {
        if (row < 0 || row >= files.Count() ||
            FileList::KindOf(files.EntryText(row)) != EntryKind::File) {
            continue;
        }
        char path[FileList::kPathSize];
        files.GetFilePath(row, path, sizeof path);
        if (path[0] != '\0') {
            selected.push_back(JobFile{path, path});
        } else if (files.Unreachable(row)) {
            selected.push_back(JobFile{std::string(), files.EntryText(row)});
        }
    }
    return selected;
}

std::string DeleteFilesQuestion(const std::vector<std::string>& names) {
    std::string question = "OK to delete " + std::to_string(names.size()) + " files?";
    std::size_t shown = std::min(names.size(), kDeleteQuestionNames);
    for (std::size_t i = 0; i < shown; ++i) {
        question += "\n" + names[i];
    }
    if (names.size() > shown) {
        question += "\nand " + std::to_string(names.size() - shown) + " more";
    }
    return question;
}

std::string LastComponent(const std::string& path) {
    std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}
