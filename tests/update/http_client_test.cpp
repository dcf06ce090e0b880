#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/update/http_client.h"
#include "tests/support/test_dir.h"
#include "tests/update/test_server.h"

namespace {

namespace fs = std::filesystem;
using qupdate::THttpClient;

class HttpClientTest : public ScratchTest {
 protected:
  TestServer server;
  std::string file = dir_ / "body";
};

// A listening socket whose accept queue is full: further connections are never
// answered, as with a dead host.
class DeadHost {
 public:
  DeadHost() {
    listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(listener, 0);
    socklen_t len = sizeof a;
    getsockname(listener, reinterpret_cast<sockaddr*>(&a), &len);
    port = ntohs(a.sin_port);
    for (int& c : fillers) {
      c = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
      connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a);
    }
  }
  ~DeadHost() {
    for (int c : fillers) close(c);
    close(listener);
  }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port) + "/update.ini"; }

 private:
  int listener = -1;
  int fillers[3] = {-1, -1, -1};
  int port = 0;
};

TEST_F(HttpClientTest, GetWritesTheBodyAsTheUpdateClient) {
  // A proxy in the environment is not used.
  setenv("http_proxy", "http://127.0.0.1:9/", 1);
  server.Serve("/update/update.ini", "[UpdateInfo]\r\nUpdateItemCount=1\r\n");
  TestDir::Write(file, "an older and much longer body");
  THttpClient http;
  const bool ok = http.GetToFile(server.Url("/update/update.ini"), file);
  unsetenv("http_proxy");
  ASSERT_TRUE(ok) << http.LastError();
  EXPECT_EQ(TestDir::Read(file), "[UpdateInfo]\r\nUpdateItemCount=1\r\n");
  const auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].strVersion, "HTTP/1.1");
  EXPECT_EQ(requests[0].strAgent, "Mozilla/3.0 (compatible; Indy Library)");
}

TEST_F(HttpClientTest, ReplyOtherThanSuccessIsAnErrorAndItsBodyStays) {
  struct Case {
    int nStatus;
    const char* szLine;
  };
  for (const Case& c : {Case{404, "HTTP/1.1 404 Not Found"}, Case{500, "HTTP/1.1 500 Internal Server Error"},
                        Case{204, nullptr}}) {
    SCOPED_TRACE(c.nStatus);
    server.Serve("/page", c.szLine ? "the error page" : "", c.nStatus);
    THttpClient http;
    if (!c.szLine) {
      EXPECT_TRUE(http.GetToFile(server.Url("/page"), file)) << http.LastError();
      continue;
    }
    EXPECT_FALSE(http.GetToFile(server.Url("/page"), file));
    EXPECT_EQ(http.LastError(), c.szLine);
    EXPECT_EQ(TestDir::Read(file), "the error page");
  }
}

TEST_F(HttpClientTest, RedirectIsNotFollowed) {
  server.Serve("/real.ini", "[UpdateInfo]");
  server.Redirect("/moved.ini", server.Url("/real.ini"), "moved away");
  THttpClient http;
  EXPECT_FALSE(http.GetToFile(server.Url("/moved.ini"), file));
  EXPECT_EQ(http.LastError(), "HTTP/1.1 302 Found");
  EXPECT_EQ(TestDir::Read(file), "moved away");
  EXPECT_EQ(server.Paths(), std::vector<std::string>{"/moved.ini"});
}

TEST_F(HttpClientTest, ConnectionFailuresAreErrors) {
  int port;
  {
    TestServer gone;
    port = std::stoi(gone.Url("").substr(std::string("http://127.0.0.1:").size()));
  }
  THttpClient http;
  EXPECT_FALSE(http.GetToFile("http://127.0.0.1:" + std::to_string(port) + "/x", file));
  EXPECT_FALSE(http.LastError().empty());
  EXPECT_EQ(TestDir::Read(file), "");

  // Only web addresses are fetched.
  TestDir::Write(dir_ / "local.ini", "secret");
  EXPECT_FALSE(http.GetToFile("file://" + (dir_ / "local.ini"), file));
  EXPECT_EQ(TestDir::Read(file), "");
  EXPECT_FALSE(http.GetToFile("", file));
}

TEST_F(HttpClientTest, DeadHostIsGivenUpAfterTheConnectTimeOut) {
  DeadHost host;
  THttpClient http(nullptr, {200, 60});
  EXPECT_FALSE(http.GetToFile(host.Url(), file));
  EXPECT_NE(http.LastError().find("connect"), std::string::npos) << http.LastError();
}

TEST_F(HttpClientTest, StalledTransferIsGivenUp) {
  server.Hold("/slow.zip");
  THttpClient http(nullptr, {15000, 1});
  EXPECT_FALSE(http.GetToFile(server.Url("/slow.zip"), file));
  EXPECT_NE(http.LastError(), "The transfer was cancelled.");
  EXPECT_FALSE(http.LastError().empty());
}

TEST_F(HttpClientTest, CancelStopsARunningTransfer) {
  server.Hold("/slow.zip");
  std::atomic<bool> bCancel{false};
  THttpClient http(&bCancel);
  bool ok = true;
  std::thread t([&] { ok = http.GetToFile(server.Url("/slow.zip"), file); });
  server.WaitForHeld();
  bCancel = true;
  t.join();
  EXPECT_FALSE(ok);
  EXPECT_EQ(http.LastError(), "The transfer was cancelled.");
}

TEST_F(HttpClientTest, FileThatCannotBeCreatedIsAnErrorBeforeAnyRequest) {
  server.Serve("/a", "body");
  fs::create_directories(dir_ / "folder");
  TestDir::Write(dir_ / "readonly", "kept");
  fs::permissions(dir_ / "readonly", fs::perms::owner_read);
  THttpClient http;
  for (const std::string& target : {dir_ / "folder", dir_ / "readonly", dir_ / "missing/body"}) {
    SCOPED_TRACE(target);
    EXPECT_FALSE(http.GetToFile(server.Url("/a"), target));
    EXPECT_NE(http.LastError().find(target), std::string::npos);
  }
  EXPECT_EQ(TestDir::Read(dir_ / "readonly"), "kept");
  EXPECT_TRUE(server.Requests().empty());
}

}  // namespace
