#pragma once
// The comma text of a record line: how a line splits into fields and how fields join.
#include <string>
#include <string_view>
#include <vector>

namespace commatext {

// Splits one line (without its line end). An unquoted field ends at a comma or any
// character 0..32; a quoted field runs to its closing quote, "" standing for one quote;
// a quote left open runs to the end of the line.
std::vector<std::string> Split(std::string_view line);

// Joins fields with commas, quoting a field that holds a quote, a comma or a
// character 1..32.
std::string Join(const std::vector<std::string>& fields);

// Splits a whole text into lines: CR LF, a lone CR or a lone LF ends a line, and a
// byte 0 ends the text.
std::vector<std::string_view> Lines(std::string_view text);

}  // namespace commatext
