#include "skin/theme_file.h"

#include <QFile>
#include <cstring>
#include <stdexcept>

#include "platform/text.h"

namespace suifile {

bool HasMagic(std::string_view firstBytes) {
  if (firstBytes.size() < kMagicField) return false;
  const std::string_view field = firstBytes.substr(0, kMagicField);
  return field.substr(0, field.find('\0')) == kMagic;
}

}  // namespace suifile

using namespace suifile;

namespace {

uint32_t U32At(std::string_view b, size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(b.data() + at);
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

[[noreturn]] void Damaged(const std::string& source, const char* what) {
  throw std::runtime_error("The skin file \"" + source + "\" is damaged: " + what + ".");
}

QString Q(const std::string& path) { return QString::fromLocal8Bit(path); }

}  // namespace

bool IsSUIThemeFile(const std::string& path) {
  QFile f(Q(path));
  if (path.empty() || !f.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = f.read(qint64(kMagicField));
  return HasMagic(std::string_view(head.constData(), size_t(head.size())));
}

TsuiThemeFileReader::TsuiThemeFileReader(const std::string& path) {
  QFile f(Q(path));
  if (!f.open(QIODevice::ReadOnly))
    throw std::runtime_error("Cannot open file \"" + path + "\". " + f.errorString().toStdString());
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError)
    throw std::runtime_error("Cannot read file \"" + path + "\". " + f.errorString().toStdString());
  Parse(std::string_view(bytes.constData(), size_t(bytes.size())), path);
}

TsuiThemeFileReader::TsuiThemeFileReader(std::string_view bytes, const std::string& source) {
  Parse(bytes, source);
}

TsuiThemeFileReader::~TsuiThemeFileReader() = default;

// Walks the chain from the header's first-record offset to the first record whose next
// offset is 0. Every record must lie inside the file, its data must follow it and end
// before the next record, and the next record must start after both: so the walk ends,
// reads nothing outside the bytes, and the entries together hold no more than the file.
void TsuiThemeFileReader::Parse(std::string_view b, const std::string& source) {
  const uint64_t size = b.size();
  if (size < kHeaderSize) Damaged(source, "it is too short to hold its header");
  if (U32At(b, 12) != kHeaderSize) Damaged(source, "its header length is not 24");
  uint64_t pos = U32At(b, 20);
  if (pos < kHeaderSize) Damaged(source, "its first entry starts inside the header");
  for (;;) {
    if (pos + kRecordSize > size) Damaged(source, "an entry runs past the end of the file");
    const std::string_view rec = b.substr(size_t(pos), kRecordSize);
    const uint64_t next = U32At(rec, kNextAt);
    if (next == 0) return;
    const uint64_t dataAt = U32At(rec, kDataOffsetAt);
    const uint64_t dataSize = U32At(rec, kDataSizeAt);
    if (dataAt < pos + kRecordSize) Damaged(source, "an entry's data does not follow its record");
    if (dataAt + dataSize > size) Damaged(source, "an entry's data runs past the end of the file");
    if (next < dataAt + dataSize) Damaged(source, "an entry's next record does not follow its data");

    const std::string_view nameField = rec.substr(0, kNameField);
    std::string name(nameField.substr(0, nameField.find('\0')));
    const std::string_view data = b.substr(size_t(dataAt), size_t(dataSize));
    switch (uint8_t(rec[kKindAt])) {
      case kFile: {
        auto stream = std::make_unique<QBuffer>();
        stream->setData(data.data(), qsizetype(data.size()));
        stream->open(QIODevice::ReadOnly);
        AddToIndex(fileIndex_, name, files_.size());
        files_.push_back({std::move(name), std::move(stream)});
        break;
      }
      case kInteger:
        if (dataSize != 4) Damaged(source, "an integer entry does not hold 4 bytes");
        AddToIndex(integerIndex_, name, integers_.size());
        integers_.emplace_back(std::move(name), int32_t(U32At(data, 0)));
        break;
      case kBool:
        if (dataSize != 1) Damaged(source, "a boolean entry does not hold 1 byte");
        AddToIndex(boolIndex_, name, bools_.size());
        bools_.emplace_back(std::move(name), uint8_t(data[0]));
        break;
      case kStr:
        AddToIndex(strIndex_, name, strs_.size());
        strs_.emplace_back(std::move(name), std::string(data));
        break;
      default:
        // A kind this version does not know: skipped, so newer skins still load.
        break;
    }
    pos = next;
  }
}

void TsuiThemeFileReader::AddToIndex(Index& index, const std::string& name, size_t at) {
  index.emplace(qtext::LowerCase(name), at);
}

const size_t* TsuiThemeFileReader::Find(const Index& index, const std::string& name) {
  const auto it = index.find(qtext::LowerCase(name));
  return it == index.end() ? nullptr : &it->second;
}

QBuffer* TsuiThemeFileReader::GetFile(const std::string& name) const {
  const size_t* at = Find(fileIndex_, name);
  if (!at) return nullptr;
  QBuffer* stream = files_[*at].stream.get();
  stream->seek(0);
  return stream;
}

int TsuiThemeFileReader::GetInteger(const std::string& name) const {
  const size_t* at = Find(integerIndex_, name);
  return at ? integers_[*at].second : -1;
}

bool TsuiThemeFileReader::GetBool(const std::string& name) const {
  const size_t* at = Find(boolIndex_, name);
  return at && bools_[*at].second != 0;
}

std::string TsuiThemeFileReader::GetStr(const std::string& name) const {
  const size_t* at = Find(strIndex_, name);
  return at ? strs_[*at].second : std::string();
}
