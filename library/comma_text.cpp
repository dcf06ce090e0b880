#include "library/comma_text.h"

namespace commatext {
namespace {

bool IsBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

}  // namespace

std::vector<std::string> Split(std::string_view line) {
  std::vector<std::string> fields;
  SplitInto(line, fields);
  return fields;
}

void SplitInto(std::string_view line, std::vector<std::string>& fields) {
  size_t used = 0;
  auto next = [&]() -> std::string& {
    if (used == fields.size()) fields.emplace_back();
    std::string& f = fields[used++];
    f.clear();
    return f;
  };
  // A byte 0 ends the line as it ends the text.
  if (const auto nul = line.find('\0'); nul != std::string_view::npos) line = line.substr(0, nul);
  size_t p = 0;
  const size_t n = line.size();
  while (p < n && IsBlank(line[p])) ++p;
  while (p < n) {
    std::string& field = next();
    if (line[p] == '"') {
      ++p;
      while (p < n) {
        const size_t q = line.find('"', p);
        if (q == std::string_view::npos) {
          field.append(line.substr(p));
          p = n;
          break;
        }
        field.append(line.substr(p, q - p));
        if (q + 1 < n && line[q + 1] == '"') {
          field += '"';
          p = q + 2;
          continue;
        }
        p = q + 1;
        break;
      }
    } else {
      const size_t start = p;
      while (p < n && static_cast<unsigned char>(line[p]) > 32 && line[p] != ',') ++p;
      field.assign(line.substr(start, p - start));
    }
    while (p < n && IsBlank(line[p])) ++p;
    if (p < n && line[p] == ',') {
      if (p + 1 == n) next();
      do {
        ++p;
      } while (p < n && IsBlank(line[p]));
    }
  }
  fields.resize(used);
}

std::string Join(const std::vector<std::string>& fields) {
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += ',';
    const std::string& f = fields[i];
    bool quote = false;
    for (char c : f)
      if (c == '"' || c == ',' || IsBlank(c)) {
        quote = true;
        break;
      }
    if (!quote) {
      out += f;
      continue;
    }
    out += '"';
    for (char c : f) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  ForEachLine(text, [&](std::string_view line) { lines.push_back(line); });
  return lines;
}

}  // namespace commatext
