// The user's stores survive a crash at any moment: a writer is killed (SIGKILL) at
// random times while it saves, and after every kill the store loads and holds the
// state before or after one whole write, with everything saved earlier still there.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <map>
#include <memory>
#include <random>

#include "library/list_mag.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "tests/reliability/child.h"
#include "tests/reliability/store_versions.h"
#include "tests/support/test_dir.h"

namespace {

constexpr int kKills = 200;

class CrashSafetyTest : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    // Only the writer dies here, not the machine, so the stores may live in memory:
    // syncs to a busy disk would only slow down the two hundred kills.
    if (QFileInfo("/dev/shm").isDir()) store = std::make_unique<QTemporaryDir>("/dev/shm/quillon-crash-XXXXXX");
    if (!store || !store->isValid()) store = std::make_unique<QTemporaryDir>(QString::fromStdString(dir_ / "store"));
    ASSERT_TRUE(store->isValid());
    setenv("QUILLON_REGISTRY_DIR", Store("registry").c_str(), 1);
    const unsigned seed = std::random_device{}();
    random.seed(seed);
    trace = "seed " + std::to_string(seed);
  }
  // The kill falls after zero to two whole writes, anywhere in the first few
  // milliseconds of the next ones.
  void Kill(const std::vector<std::string>& args) {
    std::uniform_int_distribution<int> writes(0, 2), us(0, 3000);
    std::string error;
    ASSERT_TRUE(reliability::RunAndKill(args, writes(random), std::chrono::microseconds(us(random)), error)) << error;
  }

  std::string Store(const std::string& name) const { return store->path().toStdString() + "/" + name; }

  std::unique_ptr<QTemporaryDir> store;
  std::mt19937 random;
  std::string trace;
};

TEST_F(CrashSafetyTest, FavoritesHoldTheOldOrTheNewRecords) {
  SCOPED_TRACE(trace);
  const std::string file = Store("libs/favorites.lib");
  {
    ListMag first;
    first.nGroupMode = -1;
    ASSERT_TRUE(first.Load(file));
    first.strHeader = reliability::kListHeader;
    for (const auto& r : reliability::ListVersion(0)) first.Add(r);
    ASSERT_TRUE(first.Save(file));
  }
  long version = 0;
  for (int kill = 0; kill < kKills; ++kill) {
    ASSERT_NO_FATAL_FAILURE(Kill({"list", file, std::to_string(version)}));
    ListMag list;
    list.nGroupMode = -1;
    ASSERT_TRUE(list.Load(file)) << "kill " << kill << ": the favorites do not load";
    ASSERT_EQ(list.strHeader, reliability::kListHeader) << "kill " << kill;
    ASSERT_GT(list.Count(), 0) << "kill " << kill << ": the favorites are gone";
    const long now = list.Item(0)->nValue;
    ASSERT_GE(now, version) << "kill " << kill << ": an older list came back";
    const auto expected = reliability::ListVersion(now);
    ASSERT_EQ(list.Count(), int(expected.size())) << "kill " << kill << ": version " << now << " is torn";
    for (int i = 0; i < list.Count(); ++i)
      ASSERT_EQ(*list.Item(i), expected[size_t(i)]) << "kill " << kill << ": version " << now << " is torn";
    version = now;
  }
  RecordProperty("versions_saved", int(version));
}

TEST_F(CrashSafetyTest, TheLanguageFileKeepsEveryFilledKey) {
  SCOPED_TRACE(trace);
  const std::string file = Store("langs/Default.lng");
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Store("langs"))));
  const std::map<std::pair<std::string, std::string>, std::string> saved = {
      {{"TfrmMain", "Caption"}, "Quillon"},
      {{"TfrmMain", "strNoSel"}, "Select a channel first."},
      {{"TfrmPlay", "strMute"}, "<Mute>"},
      {{"TfrmPlay", "strVolume"}, "Volume\\nlevel"},
  };
  for (const auto& [where, value] : saved) ASSERT_TRUE(qprofile::WritePrivateProfileString(where.first, where.second, value, file));

  std::vector<long> filled;
  for (int kill = 0; kill < kKills; ++kill) {
    const std::string run = std::to_string(kill);
    ASSERT_NO_FATAL_FAILURE(Kill({"lang", file, run}));
    for (const auto& [where, value] : saved)
      ASSERT_EQ(qprofile::GetPrivateProfileString(where.first, where.second, "", file), value) << "kill " << kill;
    // The keys filled before the kill are there, in order, with none skipped.
    long n = 0;
    while (qprofile::GetPrivateProfileString("TfrmMain", reliability::FilledKey(run, n), "", file) ==
           reliability::FilledKey(run, n))
      ++n;
    const std::string text = TestDir::Read(file);
    size_t lines = 0;
    for (size_t at = text.find("\nstrR"); at != std::string::npos; at = text.find("\nstrR", at + 1)) ++lines;
    long total = n;
    for (long f : filled) total += f;
    ASSERT_EQ(lines, size_t(total)) << "kill " << kill << ": filled keys lost or half written";
    filled.push_back(n);
  }
  for (size_t run = 0; run < filled.size(); ++run)
    for (long n = 0; n < filled[run]; ++n) {
      const std::string key = reliability::FilledKey(std::to_string(run), n);
      ASSERT_EQ(qprofile::GetPrivateProfileString("TfrmMain", key, "", file), key);
    }
}

// Reads the store as a new start of the program would: from a copy, so no cache of
// this process stands in for the file.
std::map<std::string, std::string> ReadStore(const std::string& registry, const std::string& copy) {
  QDir().mkpath(QString::fromStdString(copy));
  const QString name = "/HKEY_LOCAL_MACHINE.ini";
  QFile::remove(QString::fromStdString(copy) + name);
  QFile::copy(QString::fromStdString(registry) + name, QString::fromStdString(copy) + name);
  setenv("QUILLON_REGISTRY_DIR", copy.c_str(), 1);
  std::map<std::string, std::string> values;
  for (const std::string path : {"SOFTWARE\\Quillon", "SOFTWARE\\Quillon\\Search", reliability::kUrlKey.c_str()}) {
    auto key = qreg::Key::Open(qreg::Root::LocalMachine, path);
    if (!key) continue;
    for (const auto& name : key->ValueNames()) values[path + "\\" + name] = key->ReadString(name);
  }
  setenv("QUILLON_REGISTRY_DIR", registry.c_str(), 1);
  return values;
}

TEST_F(CrashSafetyTest, TheRegistryStoreHoldsTheValueBeforeOrAfterEachWrite) {
  SCOPED_TRACE(trace);
  const std::string registry = Store("registry");
  {
    auto root = qreg::Key::Open(qreg::Root::LocalMachine, "SOFTWARE\\Quillon");
    ASSERT_TRUE(root);
    ASSERT_TRUE(root->WriteString("Skin", "skins/BlueGlass.sui"));
    auto search = qreg::Key::Open(qreg::Root::LocalMachine, "SOFTWARE\\Quillon\\Search");
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(search->WriteString("Search" + std::to_string(i), "news " + std::to_string(i)));
  }
  std::map<std::string, std::string> state = ReadStore(registry, Store("copy-0"));
  ASSERT_EQ(state.size(), 11u);
  int wrote = 0;

  for (int kill = 0; kill < kKills; ++kill) {
    const std::string run = std::to_string(kill);
    ASSERT_NO_FATAL_FAILURE(Kill({"reg", run}));
    const auto now = ReadStore(registry, Store("copy-" + std::to_string(kill % 2)));
    // The last whole write of this run, if any, and what it implies for every value.
    long last = -1;
    for (const auto& [name, value] : now)
      if (value.rfind(run + ".", 0) == 0) last = std::max(last, std::atol(value.c_str() + run.size() + 1));
    auto expected = state;
    for (long n = std::max(0L, last - reliability::kUrlValues + 1); n <= last; ++n)
      expected[reliability::kUrlKey + "\\" + reliability::UrlName(n)] = run + "." + std::to_string(n);
    ASSERT_EQ(now, expected) << "kill " << kill << ": the store is not the state of a whole write";
    state = now;
    wrote += last >= 0 ? 1 : 0;
  }
  RecordProperty("runs_that_wrote", wrote);
}

}  // namespace
