#pragma once
// A loopback HTTP server inside the test: fixed replies by path, a log of what was
// asked, and paths that hold their reply until the test lets them go.
#include <httplib.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TestServer {
 public:
  struct Request {
    std::string strPath;
    std::string strVersion;
    std::string strAgent;
  };

  TestServer();
  ~TestServer();

  // "http://127.0.0.1:<port>" followed by the path.
  std::string Url(const std::string& strPath) const;
  void Serve(const std::string& strPath, const std::string& strBody, int nStatus = 200);
  void Redirect(const std::string& strPath, const std::string& strLocation, const std::string& strBody);
  // Announces the whole body but sends only its first half, then drops the connection.
  void ServeCut(const std::string& strPath, const std::string& strBody);
  // Requests for the path wait, sending nothing, until Release().
  void Hold(const std::string& strPath);
  void Release();
  // Blocks until a request for a held path has arrived.
  void WaitForHeld();

  std::vector<Request> Requests() const;
  std::vector<std::string> Paths() const;

 private:
  struct Reply {
    int nStatus = 200;
    std::string strBody;
    std::string strLocation;
    bool bHold = false;
    bool bCut = false;
  };

  httplib::Server server;
  int nPort = 0;
  std::thread listener;
  mutable std::mutex mutex;
  std::condition_variable changed;
  std::map<std::string, Reply> replies;
  std::vector<Request> requests;
  bool bReleased = false;
  int nHeld = 0;
};
