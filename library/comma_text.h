#pragma once
// The comma text of a record line: how a line splits into fields and how fields join.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace commatext {

// Splits one line (without its line end). An unquoted field ends at a comma or any
// character 0..32; a quoted field runs to its closing quote, "" standing for one quote;
// a quote left open runs to the end of the line.
std::vector<std::string> Split(std::string_view line);
// A field as it stands in its line: the text between its quotes, with "" still
// doubled when escaped. The loader splits whole files this way without copying.
struct FieldView {
  std::string_view raw;
  bool escaped = false;
  std::string str() const;
};
void SplitViews(std::string_view line, std::vector<FieldView>& fields);

// Joins fields with commas, quoting a field that holds a quote, a comma or a
// character 1..32.
std::string Join(const std::vector<std::string>& fields);
// Join, appending to out: a list file of many records is written without a string
// for each field.
void AppendJoined(std::string& out, std::initializer_list<std::string_view> fields);

// Splits a whole text into lines: CR LF, a lone CR or a lone LF ends a line, and a
// byte 0 ends the text.
std::vector<std::string_view> Lines(std::string_view text);
// Calls f(line) for each line of text, by the same rules.
template <typename F>
void ForEachLine(std::string_view text, F&& f) {
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    size_t j = text.find('\n', i);
    if (j == std::string_view::npos) j = n;
    // A CR ends a line too: most often it stands right before the LF.
    const size_t cr = text.substr(i, j - i).find('\r');
    if (cr != std::string_view::npos) j = i + cr;
    f(text.substr(i, j - i));
    if (j < n && text[j] == '\r' && j + 1 < n && text[j + 1] == '\n') ++j;
    i = j + 1;
  }
}

}  // namespace commatext
