// quillon-lists: reads, writes and inspects channel list files.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <iostream>
#include <string>

#include "library/comma_text.h"
#include "library/list_mag.h"
#include "library/m3u.h"

namespace {

int Usage() {
  std::cerr << "usage: quillon-lists decode FILE\n"
               "       quillon-lists encode IN OUT\n"
               "       quillon-lists dump FILE\n"
               "       quillon-lists pack IN.txt OUT.lib\n"
               "       quillon-lists stats FILE\n"
               "       quillon-lists import-m3u IN.m3u OUT.lib [--merge]\n";
  return 2;
}

bool ReadFile(const std::string& path, std::string& out) {
  QFile f(QString::fromLocal8Bit(path));
  if (!f.open(QIODevice::ReadOnly)) {
    std::cerr << "quillon-lists: cannot read " << path << "\n";
    return false;
  }
  const QByteArray d = f.readAll();
  out.assign(d.constData(), size_t(d.size()));
  return true;
}

bool WriteFile(const std::string& path, const std::string& data) {
  QFile f(QString::fromLocal8Bit(path));
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      f.write(data.data(), qint64(data.size())) != qint64(data.size())) {
    std::cerr << "quillon-lists: cannot write " << path << "\n";
    return false;
  }
  return true;
}

int Decode(const std::string& in) {
  std::string bytes;
  if (!ReadFile(in, bytes)) return 1;
  UnscrambleBuffer(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  return 0;
}

int Encode(const std::string& in, const std::string& out) {
  std::string bytes;
  if (!ReadFile(in, bytes)) return 1;
  ScrambleBuffer(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
  return WriteFile(out, bytes) ? 0 : 1;
}

int Dump(const std::string& file) {
  ListMag list;
  const bool ok = list.Load(file);
  std::cout << list.strHeader << "\n";
  for (int i = 0; i < list.Count(); ++i) std::cout << commatext::Join(RecordFields(*list.Item(i), false)) << "\n";
  std::cout << "--\n";
  for (const auto& g : list.Groups()) std::cout << g << "\n";
  return ok ? 0 : 1;
}

int Pack(const std::string& in, const std::string& out) {
  std::string text;
  if (!ReadFile(in, text)) return 1;
  ListMag list;
  list.nGroupMode = -1;
  list.bScramble = false;
  list.LoadFromBytes(text);
  list.bScramble = true;
  try {
    if (!list.Save(out)) {
      std::cerr << "quillon-lists: cannot write " << out << "\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "quillon-lists: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

int Stats(const std::string& file) {
  ListMag list;
  QElapsedTimer t;
  t.start();
  list.Load(file);
  const double ms = double(t.nsecsElapsed()) / 1e6;
  std::cout << "records " << list.Count() << "\ngroups " << list.Groups().size() << "\nload_ms " << ms << "\n";
  return 0;
}

int ImportM3u(const std::string& in, const std::string& out, bool merge) {
  std::string bytes;
  if (!ReadFile(in, bytes)) return 1;
  const QString inPath = QFileInfo(QString::fromLocal8Bit(in)).absoluteFilePath();
  const m3u::Playlist playlist = m3u::Parse(bytes, inPath.toLocal8Bit().toStdString());
  if (playlist.problem != m3u::Problem::None) {
    std::cerr << "quillon-lists: " << in << ": " << m3u::ProblemText(playlist.problem) << "\n";
    return 1;
  }

  ListMag list;
  if (merge) {
    // A library that is there but cannot be read must not be replaced by the
    // playlist alone.
    QFile existing(QString::fromLocal8Bit(out));
    if (existing.exists() && !existing.open(QIODevice::ReadOnly)) {
      std::cerr << "quillon-lists: cannot read " << out << "\n";
      return 1;
    }
    existing.close();
    if (!list.Load(out) && existing.size() > 0) {
      std::cerr << "quillon-lists: cannot read " << out << "\n";
      return 1;
    }
  } else {
    list.LoadFromBytes({});
  }
  const int added = m3u::Merge(playlist.records, list);
  try {
    if (!list.Save(out)) {
      std::cerr << "quillon-lists: cannot write " << out << "\n";
      return 1;
    }
  } catch (const std::exception& e) {
    std::cerr << "quillon-lists: " << e.what() << "\n";
    return 1;
  }
  std::cout << "added " << added << " channels, skipped " << playlist.records.size() - size_t(added)
            << " already present; " << out << " holds " << list.Count() << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 3) return Usage();
  const std::string cmd = argv[1];
  if (cmd == "decode" && argc == 3) return Decode(argv[2]);
  if (cmd == "encode" && argc == 4) return Encode(argv[2], argv[3]);
  if (cmd == "dump" && argc == 3) return Dump(argv[2]);
  if (cmd == "pack" && argc == 4) return Pack(argv[2], argv[3]);
  if (cmd == "stats" && argc == 3) return Stats(argv[2]);
  if (cmd == "import-m3u" && argc == 4) return ImportM3u(argv[2], argv[3], false);
  if (cmd == "import-m3u" && argc == 5 && std::string(argv[4]) == "--merge") return ImportM3u(argv[2], argv[3], true);
  return Usage();
}
