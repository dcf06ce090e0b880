#include "library/comma_text.h"

namespace commatext {
namespace {

bool IsBlank(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 1 && u <= 32;
}

}  // namespace

std::string FieldView::str() const {
  if (!escaped) return std::string(raw);
  std::string out;
  out.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    out += raw[i];
    if (raw[i] == '"' && i + 1 < raw.size() && raw[i + 1] == '"') ++i;
  }
  return out;
}

void SplitViews(std::string_view line, std::vector<FieldView>& fields) {
  fields.clear();
  // A byte 0 ends the line as it ends the text.
  if (const auto nul = line.find('\0'); nul != std::string_view::npos) line = line.substr(0, nul);
  size_t p = 0;
  const size_t n = line.size();
  while (p < n && IsBlank(line[p])) ++p;
  while (p < n) {
    FieldView field;
    if (line[p] == '"') {
      const size_t start = ++p;
      for (;;) {
        const size_t q = line.find('"', p);
        if (q == std::string_view::npos) {
          p = n;
          field.raw = line.substr(start);
          break;
        }
        if (q + 1 < n && line[q + 1] == '"') {
          field.escaped = true;
          p = q + 2;
          continue;
        }
        field.raw = line.substr(start, q - start);
        p = q + 1;
        break;
      }
    } else {
      const size_t start = p;
      while (p < n && static_cast<unsigned char>(line[p]) > 32 && line[p] != ',') ++p;
      field.raw = line.substr(start, p - start);
    }
    fields.push_back(field);
    while (p < n && IsBlank(line[p])) ++p;
    if (p < n && line[p] == ',') {
      if (p + 1 == n) fields.emplace_back();
      do {
        ++p;
      } while (p < n && IsBlank(line[p]));
    }
  }
}

std::vector<std::string> Split(std::string_view line) {
  std::vector<FieldView> views;
  SplitViews(line, views);
  std::vector<std::string> fields;
  fields.reserve(views.size());
  for (const auto& v : views) fields.push_back(v.str());
  return fields;
}

std::string Join(const std::vector<std::string>& fields) {
  std::string out;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) out += ',';
    AppendJoined(out, {fields[i]});
  }
  return out;
}

void AppendJoined(std::string& out, std::initializer_list<std::string_view> fields) {
  bool first = true;
  for (const std::string_view f : fields) {
    if (!first) out += ',';
    first = false;
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
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  ForEachLine(text, [&](std::string_view line) { lines.push_back(line); });
  return lines;
}

}  // namespace commatext
