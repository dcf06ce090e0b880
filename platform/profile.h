#pragma once
// INI files with the semantics of the Win32 private-profile routines: section and key
// names compare without regard to ASCII case, values are read trimmed with one pair of
// surrounding quotes stripped and cut to 2047 characters, a new key goes to the end of
// its section, a new section to the end of the file, and the first write creates the
// file. Every call reads the whole file; every write rewrites it through a temporary
// file renamed over the old one, so a crash never leaves half a file.
//
// A file that carries no write permission bit counts as read-only, even for root, as a
// read-only file does on the original platform.
#include <string>

namespace qprofile {

constexpr size_t kMaxValue = 2047;

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& def, const std::string& file);
// Decimal, or hexadecimal after "0x", "0X" or "$"; anything else gives def.
int GetPrivateProfileInt(const std::string& section, const std::string& key, int def, const std::string& file);

// False when the write was refused; the file is then unchanged. Line breaks inside a
// value are stored as the two characters "\n", so a value is always one line.
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file);
bool DeletePrivateProfileKey(const std::string& section, const std::string& key, const std::string& file);
// Erasing a section of a missing file succeeds and creates nothing.
bool ErasePrivateProfileSection(const std::string& section, const std::string& file);

// Whether the platform would accept a rewrite of the file.
bool CanWriteFile(const std::string& file);

}  // namespace qprofile
