// The spool file family on disk: unique names, the folder listing behind
// ListFiles, and copying, moving and deleting a message with its companions.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frame/spool_names.h"

namespace util {

// The first free name "folder\stamp-NNNN.extension" for the local time now.
std::string uniqueFileName(std::string_view folder, std::string_view extension);

// The first free base name "folder\stamp-NNNN" for which none of the given
// extensions exists yet.
std::string uniqueBaseName(std::string_view folder, const std::vector<std::string_view>& extensions);

// The names (without folder) of the files that match the pattern, in the
// order the file system reports them; folders are left out.
std::vector<std::string> listFileNames(const std::string& pattern);

// The messages of a folder and their hold markers, from one listing of the
// folder (see folderMessages).
std::vector<FolderMessage> listFolderMessages(const std::string& folder);

// Whether at least one file matches the pattern (as listFileNames finds
// them), without listing the rest.
bool anyFileMatches(const std::string& pattern);

// Copies (or moves) the message base + ".txt" and each companion that exists
// into folder under one new unique base name. Returns the new base name,
// or an empty string when the message could not be copied (nothing is left
// half copied then).
std::string copyMessageFamily(std::string_view base, std::string_view folder, bool move);

// Deletes the message and each companion that exists.
void deleteMessageFamily(std::string_view base);

// Writes base + ".adr" anew with the envelope lines; false when it cannot.
bool writeEnvelope(std::string_view base, std::string_view sender, const std::vector<std::string>& recipients);

}  // namespace util
