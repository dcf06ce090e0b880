#pragma once
// Theme (skin) files: a flat container of named entries of four kinds (embedded files,
// integers, booleans, strings) after a 24-byte header, chained record by record.
// Skins are downloaded and swapped by users, so the reader takes nothing in a file on
// trust: every offset and size is checked against the bytes actually read.
#include <QBuffer>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace suifile {

// "QLNSKIN_TB" and two zero bytes.
inline constexpr char kMagic[] = "QLNSKIN_TB";
inline constexpr size_t kMagicField = 12;
inline constexpr uint32_t kHeaderSize = 24;
inline constexpr uint32_t kHeaderWord = 1;
inline constexpr uint32_t kRecordSize = 77;
inline constexpr size_t kNameField = 64;

enum Kind : uint8_t { kFile = 0, kInteger = 1, kBool = 2, kStr = 3 };

// The record field offsets.
inline constexpr size_t kKindAt = 64;
inline constexpr size_t kDataOffsetAt = 65;
inline constexpr size_t kDataSizeAt = 69;
inline constexpr size_t kNextAt = 73;

// True when the first 12 bytes, up to their first zero byte, are the magic exactly.
bool HasMagic(std::string_view firstBytes);

}  // namespace suifile

// True when the file exists, can be read and starts with the theme file magic. Never
// throws.
bool IsSUIThemeFile(const std::string& path);

// Loads every entry of a theme file into memory when created; never changes after.
// Lookups compare names without regard to case; the first entry of a name in the file
// wins, and each kind has its own names.
class TsuiThemeFileReader {
 public:
  struct FileEntry {
    std::string name;
    std::unique_ptr<QBuffer> stream;
  };

  // Reads the whole file. Throws std::runtime_error with the text the user sees when
  // the file cannot be opened or read, or when its layout is damaged.
  explicit TsuiThemeFileReader(const std::string& path);
  // The same for bytes already in memory; source names them in error texts.
  TsuiThemeFileReader(std::string_view bytes, const std::string& source);
  ~TsuiThemeFileReader();
  TsuiThemeFileReader(const TsuiThemeFileReader&) = delete;
  TsuiThemeFileReader& operator=(const TsuiThemeFileReader&) = delete;

  // The embedded file of that name, rewound; owned by the reader. Null when absent.
  QBuffer* GetFile(const std::string& name) const;
  // -1 when absent.
  int GetInteger(const std::string& name) const;
  // True when a boolean of that name exists and its byte is not 0.
  bool GetBool(const std::string& name) const;
  // "" when absent.
  std::string GetStr(const std::string& name) const;

  // Every entry of a kind, in file order (booleans as their stored byte).
  const std::vector<FileEntry>& Files() const { return files_; }
  const std::vector<std::pair<std::string, int32_t>>& Integers() const { return integers_; }
  const std::vector<std::pair<std::string, uint8_t>>& Bools() const { return bools_; }
  const std::vector<std::pair<std::string, std::string>>& Strs() const { return strs_; }

 private:
  using Index = std::unordered_map<std::string, size_t>;

  void Parse(std::string_view bytes, const std::string& source);
  static void AddToIndex(Index& index, const std::string& name, size_t at);
  static const size_t* Find(const Index& index, const std::string& name);

  std::vector<FileEntry> files_;
  std::vector<std::pair<std::string, int32_t>> integers_;
  std::vector<std::pair<std::string, uint8_t>> bools_;
  std::vector<std::pair<std::string, std::string>> strs_;
  // Lower-cased name -> position of its first entry, one per kind.
  Index fileIndex_, integerIndex_, boolIndex_, strIndex_;
};
