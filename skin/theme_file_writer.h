#pragma once
// Lays a theme file out: header, then the embedded files, strings, integers and
// booleans, each kind in the order added, then the terminating record. Only the program
// and the tools write skins; the player control carries no writer.
#include <string>
#include <utility>
#include <vector>

class TsuiThemeFileWriter {
 public:
  // Nothing is written yet.
  explicit TsuiThemeFileWriter(std::string fileName);
  // Saves when Save was never called, unless an error is unwinding the caller (a
  // half-filled writer must not replace a skin). A destructor cannot report a failure,
  // so callers that must know call Save themselves.
  ~TsuiThemeFileWriter();
  TsuiThemeFileWriter(const TsuiThemeFileWriter&) = delete;
  TsuiThemeFileWriter& operator=(const TsuiThemeFileWriter&) = delete;

  // path names the file to embed; it is read when saving.
  void AddFile(const std::string& name, const std::string& path);
  void AddInteger(const std::string& name, int value);
  void AddBool(const std::string& name, bool value);
  void AddStr(const std::string& name, const std::string& value);

  // Writes the file, replacing the old one only once the new one is complete. Throws
  // std::runtime_error with the text the user sees when the target cannot be created,
  // a file to embed cannot be read, or the file would outgrow its 32-bit offsets.
  void Save();

 private:
  template <class T>
  using Lines = std::vector<std::pair<std::string, T>>;

  std::string fileName_;
  Lines<std::string> files_, strs_;
  Lines<int> integers_;
  Lines<bool> bools_;
  bool saved_ = false;
  int uncaught_;
};
