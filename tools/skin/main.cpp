// quillon-skin: inspects and builds theme (skin) files.
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "platform/paths.h"
#include "skin/theme_file.h"
#include "skin/theme_file_writer.h"

namespace {

int Usage() {
  std::cerr << "usage: quillon-skin dump FILE.sui\n"
               "       quillon-skin build OUT.sui DESCRIPTION\n"
               "DESCRIPTION holds one entry a line: file NAME PATH, int NAME VALUE,\n"
               "bool NAME 0|1 or str NAME TEXT; a file PATH is taken from the\n"
               "description's folder unless absolute. Empty lines and lines starting\n"
               "with # are skipped.\n";
  return 2;
}

int Dump(const std::string& file) {
  if (!IsSUIThemeFile(file)) {
    std::cerr << "quillon-skin: " << file << " is not a skin file\n";
    return 1;
  }
  const TsuiThemeFileReader reader(file);
  for (const auto& f : reader.Files()) std::cout << "file " << f.name << " " << f.stream->size() << "\n";
  for (const auto& [name, value] : reader.Integers()) std::cout << "int " << name << " " << value << "\n";
  for (const auto& [name, value] : reader.Bools()) std::cout << "bool " << name << " " << (value != 0 ? 1 : 0) << "\n";
  for (const auto& [name, value] : reader.Strs()) std::cout << "str " << name << " " << value << "\n";
  return 0;
}

[[noreturn]] void Bad(const std::string& description, int line, const std::string& what) {
  throw std::runtime_error(description + ":" + std::to_string(line) + ": " + what);
}

int ParseInt(const std::string& text, const std::string& description, int line) {
  size_t used = 0;
  long long v = 0;
  try {
    v = std::stoll(text, &used, 10);
  } catch (const std::exception&) {
    Bad(description, line, "\"" + text + "\" is not an integer");
  }
  if (used != text.size()) Bad(description, line, "\"" + text + "\" is not an integer");
  if (v < INT32_MIN || v > INT32_MAX) Bad(description, line, "\"" + text + "\" is not a 32-bit integer");
  return int(v);
}

int Build(const std::string& out, const std::string& description) {
  QFile f(QString::fromLocal8Bit(description));
  if (!f.open(QIODevice::ReadOnly))
    throw std::runtime_error("Cannot open file \"" + description + "\". " + f.errorString().toStdString());
  const QByteArray all = f.readAll();
  std::istringstream in(std::string(all.constData(), size_t(all.size())));
  const std::string dir = qpaths::DirPart(description);

  TsuiThemeFileWriter writer(out);
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty() || text[0] == '#') continue;
    // KIND NAME VALUE: single spaces apart; the value is the rest of the line.
    // A string may be empty: "str NAME".
    const size_t a = text.find(' ');
    if (a == std::string::npos) Bad(description, line, "expected KIND NAME VALUE");
    const size_t b = text.find(' ', a + 1);
    const std::string kind = text.substr(0, a);
    if (b == std::string::npos && kind != "str") Bad(description, line, "expected KIND NAME VALUE");
    const std::string name = text.substr(a + 1, b == std::string::npos ? b : b - a - 1);
    const std::string value = b == std::string::npos ? "" : text.substr(b + 1);
    if (name.empty()) Bad(description, line, "the entry has no name");
    if (kind == "file") {
      if (value.empty()) Bad(description, line, "the file entry names no file");
      writer.AddFile(name, value[0] == '/' ? value : dir + value);
    } else if (kind == "int") {
      writer.AddInteger(name, ParseInt(value, description, line));
    } else if (kind == "bool") {
      if (value != "0" && value != "1") Bad(description, line, "a boolean is 0 or 1");
      writer.AddBool(name, value == "1");
    } else if (kind == "str") {
      writer.AddStr(name, value);
    } else {
      Bad(description, line, "unknown kind \"" + kind + "\"");
    }
  }
  writer.Save();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const std::string cmd = argc > 1 ? argv[1] : "";
  try {
    if (cmd == "dump" && argc == 3) return Dump(argv[2]);
    if (cmd == "build" && argc == 4) return Build(argv[2], argv[3]);
  } catch (const std::exception& e) {
    std::cerr << "quillon-skin: " << e.what() << "\n";
    return 1;
  }
  return Usage();
}
