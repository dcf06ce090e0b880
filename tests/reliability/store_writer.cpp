// The child of the crash tests: writes one of the user's stores over and over until it
// is killed. It prints "ready" once set up and "saved" after each whole write, so the
// parent can kill it at a moment of its choice inside a later write.
//   store_writer list FILE VERSION  saves the favorites list as version+1, +2, ...
//   store_writer lang FILE RUN      fills the keys strR<RUN>N0, N1, ... into the file
//   store_writer reg RUN            writes URL0..URL9 = "<RUN>.<n>" for n = 0, 1, ...
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lang/mlang.h"
#include "library/list_mag.h"
#include "platform/registry.h"
#include "tests/reliability/store_versions.h"

class TfrmMain : public QObject {
  Q_OBJECT
};

namespace {

void Say(const char* line) {
  std::fputs(line, stdout);
  std::fflush(stdout);
}
void Ready() { Say("ready\n"); }
void Saved() { Say("saved\n"); }

int WriteLists(const std::string& file, long version) {
  ListMag list;
  list.nGroupMode = -1;
  if (!list.Load(file)) return 3;
  Ready();
  for (long v = version + 1;; ++v) {
    list.Clear();
    list.strHeader = reliability::kListHeader;
    for (const tagTV_ITEM& r : reliability::ListVersion(v)) list.Add(r);
    if (!list.Save(file)) return 4;
    Saved();
  }
}

int FillLanguage(const std::string& file, const std::string& run) {
  TfrmMain owner;
  TMLang lang(&owner);
  lang.SetLangFileName(file);
  Ready();
  for (long n = 0;; ++n) {
    lang.GetResString(reliability::FilledKey(run, n));
    Saved();
  }
}

int WriteRegistry(const std::string& run) {
  auto key = qreg::Key::Open(qreg::Root::LocalMachine, reliability::kUrlKey);
  if (!key) return 3;
  Ready();
  for (long n = 0;; ++n) {
    if (!key->WriteString(reliability::UrlName(n), run + "." + std::to_string(n))) return 4;
    Saved();
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "list" && argc == 4) return WriteLists(argv[2], std::atol(argv[3]));
  if (mode == "lang" && argc == 4) return FillLanguage(argv[2], argv[3]);
  if (mode == "reg" && argc == 3) return WriteRegistry(argv[2]);
  std::fputs("usage: store_writer list FILE VERSION | lang FILE RUN | reg RUN\n", stderr);
  return 2;
}

#include "store_writer.moc"
