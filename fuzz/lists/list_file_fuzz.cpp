// Feeds arbitrary bytes to the list file reader. The first byte picks the list's
// settings (scrambled or plain, grouped or not) so the fuzzer also reaches the line
// rules directly. A loaded list must keep the group invariant, and saving it and
// loading the file again must give back the same records: what a user's file held is
// never lost or changed by one save.
#include <QDir>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>

#include "library/list_mag.h"
#include "platform/text.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

const std::string& SaveFile() {
  static const std::string path = [] {
    const std::string dir = "/dev/shm/quillon-fuzz-list-" + std::to_string(getpid());
    QDir().mkpath(QString::fromStdString(dir));
    return dir + "/favorites.lib";
  }();
  return path;
}

// The record as the writer stores it.
tagTV_ITEM Stored(const tagTV_ITEM& r) {
  tagTV_ITEM t = r;
  for (std::string* s : {&t.strName, &t.strLocation, &t.strText3, &t.strText4, &t.strBitrate, &t.strCountry,
                         &t.strText7, &t.strText8})
    *s = qtext::Trim(*s);
  return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  ListMag list;
  list.bScramble = (data[0] & 1) != 0;
  list.nGroupMode = (data[0] & 2) ? -1 : 0;
  list.LoadFromBytes(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));

  const auto& groups = list.Groups();
  if (list.nGroupMode == 0) {
    Check(!groups.empty() && groups.back() == "Others");
    for (size_t i = 0; i + 1 < groups.size(); ++i) {
      Check(!qtext::SameText(groups[i], "others"));
      if (i + 2 < groups.size()) Check(qtext::CompareText(groups[i], groups[i + 1]) < 0);
    }
    for (int i = 0; i < list.Count(); ++i) {
      const std::string& c = list.Item(i)->strCountry;
      bool found = false;
      for (const auto& g : groups) found = found || qtext::SameText(g, c);
      Check(found);
    }
  } else {
    Check(groups.empty());
  }

  Check(list.Save(SaveFile()));
  ListMag again;
  again.bScramble = list.bScramble;
  again.nGroupMode = list.nGroupMode;
  Check(again.Load(SaveFile()));
  Check(again.strHeader == list.strHeader);
  Check(again.Count() == list.Count());
  for (int i = 0; i < list.Count(); ++i) Check(*again.Item(i) == Stored(*list.Item(i)));
  return 0;
}
