#include "skin/theme_file_writer.h"

#include <QFile>
#include <QSaveFile>
#include <cstdint>
#include <exception>
#include <limits>
#include <stdexcept>

#include "platform/text.h"
#include "skin/theme_file.h"

using namespace suifile;

namespace {

QString Q(const std::string& path) { return QString::fromLocal8Bit(path); }

void PutU32(std::string& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
}

std::string U32Bytes(uint32_t v) {
  std::string b(4, '\0');
  PutU32(b, 0, v);
  return b;
}

// The value of the first entry of the kind bearing this name, as the lists are looked
// up by name: a later entry of the same name repeats the first one's value.
template <class T>
const T& FirstValue(const std::vector<std::pair<std::string, T>>& lines, const std::string& name) {
  for (const auto& [n, v] : lines)
    if (qtext::SameText(n, name)) return v;
  return lines.front().second;
}

std::string ReadEmbedded(const std::string& path) {
  QFile f(Q(path));
  if (!f.open(QIODevice::ReadOnly))
    throw std::runtime_error("Cannot open file \"" + path + "\". " + f.errorString().toStdString());
  const QByteArray d = f.readAll();
  if (f.error() != QFileDevice::NoError)
    throw std::runtime_error("Cannot read file \"" + path + "\". " + f.errorString().toStdString());
  return std::string(d.constData(), size_t(d.size()));
}

class Layout {
 public:
  explicit Layout(std::string target) : target_(std::move(target)) {
    std::string header(kHeaderSize, '\0');
    std::copy(std::begin(kMagic), std::end(kMagic) - 1, header.begin());
    PutU32(header, 12, kHeaderSize);
    PutU32(header, 16, kHeaderWord);
    PutU32(header, 20, kHeaderSize);
    bytes_ = std::move(header);
  }

  void Entry(const std::string& name, Kind kind, const std::string& data) {
    const uint64_t dataAt = uint64_t(bytes_.size()) + kRecordSize;
    const uint64_t next = dataAt + data.size();
    if (next + kRecordSize > std::numeric_limits<uint32_t>::max())
      throw std::runtime_error("Cannot write file \"" + target_ + "\". The skin would be larger than 4 GB.");
    std::string rec(kRecordSize, '\0');
    rec.replace(0, std::min(name.size(), kNameField), name, 0, kNameField);
    rec[kKindAt] = char(kind);
    PutU32(rec, kDataOffsetAt, uint32_t(dataAt));
    PutU32(rec, kDataSizeAt, uint32_t(data.size()));
    PutU32(rec, kNextAt, uint32_t(next));
    bytes_ += rec;
    bytes_ += data;
  }

  // The terminating record: no name, kind 2, all offsets 0.
  void End() {
    std::string rec(kRecordSize, '\0');
    rec[kKindAt] = char(kBool);
    bytes_ += rec;
  }

  const std::string& Bytes() const { return bytes_; }

 private:
  std::string target_;
  std::string bytes_;
};

}  // namespace

TsuiThemeFileWriter::TsuiThemeFileWriter(std::string fileName)
    : fileName_(std::move(fileName)), uncaught_(std::uncaught_exceptions()) {}

TsuiThemeFileWriter::~TsuiThemeFileWriter() {
  if (saved_ || std::uncaught_exceptions() > uncaught_) return;
  try {
    Save();
  } catch (const std::exception&) {
    // Nowhere to report from here; callers that must know call Save.
  }
}

void TsuiThemeFileWriter::AddFile(const std::string& name, const std::string& path) { files_.emplace_back(name, path); }
void TsuiThemeFileWriter::AddInteger(const std::string& name, int value) { integers_.emplace_back(name, value); }
void TsuiThemeFileWriter::AddBool(const std::string& name, bool value) { bools_.emplace_back(name, value); }
void TsuiThemeFileWriter::AddStr(const std::string& name, const std::string& value) { strs_.emplace_back(name, value); }

void TsuiThemeFileWriter::Save() {
  saved_ = true;
  Layout out(fileName_);
  for (const auto& [name, path] : files_) out.Entry(name, kFile, ReadEmbedded(FirstValue(files_, name)));
  for (const auto& [name, text] : strs_) out.Entry(name, kStr, FirstValue(strs_, name));
  for (const auto& [name, value] : integers_) out.Entry(name, kInteger, U32Bytes(uint32_t(FirstValue(integers_, name))));
  for (const auto& [name, value] : bools_) out.Entry(name, kBool, std::string(1, FirstValue(bools_, name) ? '\1' : '\0'));
  out.End();

  QSaveFile f(Q(fileName_));
  if (!f.open(QIODevice::WriteOnly))
    throw std::runtime_error("Cannot create file \"" + fileName_ + "\". " + f.errorString().toStdString());
  const std::string& bytes = out.Bytes();
  if (f.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !f.commit())
    throw std::runtime_error("Cannot write file \"" + fileName_ + "\". " + f.errorString().toStdString());
}
