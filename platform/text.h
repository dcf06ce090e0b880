#pragma once
// Text rules shared by the whole system. Channel data, list, language and theme files
// are 8-bit strings in the system code page (UTF-8 here); "without regard to case under
// the user's locale" is decided here only, so every caller gets the same answer.
#include <QString>
#include <string>
#include <string_view>

namespace qtext {

// Lower case under the user's locale. ASCII-only texts take a fast path.
std::string LowerCase(std::string_view s);

// Equality without regard to case: the lower-cased texts are equal.
bool SameText(std::string_view a, std::string_view b);

// Ordering without regard to case under the user's locale; 0 exactly when SameText.
int CompareText(std::string_view a, std::string_view b);

// Characters 0..32 removed from both ends.
std::string Trim(std::string_view s);

// The one formatter for language texts that take an argument: the first "%s" takes
// arg, "%%" gives "%", anything else stays as written. Translations never reach printf.
std::string FormatText(std::string_view format, std::string_view arg);

// The system code page <-> Qt's strings, at the user-interface edge.
inline QString ToQ(std::string_view s) { return QString::fromLocal8Bit(s.data(), qsizetype(s.size())); }
inline std::string FromQ(const QString& s) { return s.toLocal8Bit().toStdString(); }
}  // namespace qtext
