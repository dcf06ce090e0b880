#pragma once
// Where the program and its shared folders stand. Every path that names a folder
// ends with '/'. Tests stand in for each with an environment variable.
#include <string>

namespace qpaths {

// The running executable's full path ($QUILLON_EXE_PATH stands in for it).
std::string ExePath();
// The executable's folder, with a trailing '/'.
std::string ExeDir();
// The folder of the media engine modules ($QUILLON_SYSTEM_DIR; in the build tree
// build/system/, else <prefix>/lib/quillon/system/).
std::string SystemDir();
// The shared data folder ($QUILLON_WINDOWS_DIR, else <prefix>/share/quillon/).
std::string WindowsDir();

// The folder part of a path, up to and including its last '/' ("" when none).
std::string DirPart(const std::string& path);
// The path after its last '/'.
std::string NamePart(const std::string& path);

bool FileExists(const std::string& path);
// Creates the folder and its missing parents; true when it exists afterwards.
bool ForceDirectories(const std::string& dir);

}  // namespace qpaths
