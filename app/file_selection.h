// The files that the main window's commands act on when several rows of the list are
// selected, and the texts that name them.
#pragma once

#include <string>
#include <vector>

#include "browser/file_list.h"
#include "print/print_job.h"

// The file rows among `rows` (row indices in any order; repeats and bad indices allowed), in
// list order, each with its full path and the name that messages give it: the path, or the
// row's text for a file that no path reaches (its path is then empty). Directory and parent
// rows are left out.
std::vector<JobFile> SelectedFiles(const FileList& files, std::vector<int> rows);

// The most names the question for several files lists; the rest are counted.
inline constexpr std::size_t kDeleteQuestionNames = 10;

// The Delete question for several files: "OK to delete N files?", then one name a line, at
// most kDeleteQuestionNames of them, then "and M more" for the rest.
std::string DeleteFilesQuestion(const std::vector<std::string>& names);

// The last component of a path: what follows its last backslash, slash or colon.
std::string LastComponent(const std::string& path);
