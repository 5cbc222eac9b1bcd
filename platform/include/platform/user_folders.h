// Folders a program keeps its own files in.
#pragma once

#include <string>

namespace platform {

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else ~/.config ("%APPDATA%" on Windows); "" when none can be found.
std::string userConfigFolder();

// Whether files can be created in `folder`.
bool isWritableFolder(const std::string& folder);

// Creates `folder` and the folders above it that are missing; true when it exists afterwards.
bool makeFolders(const std::string& folder);

}  // namespace platform
