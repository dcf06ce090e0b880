#include "tests/update/test_server.h"

#include <chrono>

TestServer::TestServer() {
  server.Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
    std::unique_lock<std::mutex> lock(mutex);
    requests.push_back({req.path, req.version, req.get_header_value("User-Agent")});
    const auto it = replies.find(req.path);
    if (it == replies.end()) {
      res.status = 404;
      res.set_content("no such page", "text/plain");
      return;
    }
    const Reply reply = it->second;
    if (reply.bHold) {
      ++nHeld;
      changed.notify_all();
      changed.wait(lock, [this] { return bReleased; });
    }
    res.status = reply.nStatus;
    if (!reply.strLocation.empty()) res.set_header("Location", reply.strLocation);
    if (reply.bCut) {
      res.set_content_provider(reply.strBody.size(), "application/octet-stream",
                               [body = reply.strBody](size_t offset, size_t, httplib::DataSink& sink) {
                                 if (offset == 0) sink.write(body.data(), body.size() / 2);
                                 return false;
                               });
      return;
    }
    res.set_content(reply.strBody, "application/octet-stream");
  });
  nPort = server.bind_to_any_port("127.0.0.1");
  listener = std::thread([this] { server.listen_after_bind(); });
  // stop() is lost on a server whose loop has not started yet.
  while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TestServer::~TestServer() {
  Release();
  server.stop();
  listener.join();
}

std::string TestServer::Url(const std::string& strPath) const {
  return "http://127.0.0.1:" + std::to_string(nPort) + strPath;
}

void TestServer::Serve(const std::string& strPath, const std::string& strBody, int nStatus) {
  std::lock_guard<std::mutex> lock(mutex);
  replies[strPath] = Reply{nStatus, strBody, "", false};
}

void TestServer::Redirect(const std::string& strPath, const std::string& strLocation, const std::string& strBody) {
  std::lock_guard<std::mutex> lock(mutex);
  replies[strPath] = Reply{302, strBody, strLocation, false};
}

void TestServer::ServeCut(const std::string& strPath, const std::string& strBody) {
  std::lock_guard<std::mutex> lock(mutex);
  replies[strPath] = Reply{200, strBody, "", false, true};
}

void TestServer::Hold(const std::string& strPath) {
  std::lock_guard<std::mutex> lock(mutex);
  replies[strPath] = Reply{200, "late", "", true};
}

void TestServer::Release() {
  {
    std::lock_guard<std::mutex> lock(mutex);
    bReleased = true;
  }
  changed.notify_all();
}

void TestServer::WaitForHeld() {
  std::unique_lock<std::mutex> lock(mutex);
  changed.wait(lock, [this] { return nHeld > 0; });
}

std::vector<TestServer::Request> TestServer::Requests() const {
  std::lock_guard<std::mutex> lock(mutex);
  return requests;
}

std::vector<std::string> TestServer::Paths() const {
  std::vector<std::string> paths;
  for (const Request& r : Requests()) paths.push_back(r.strPath);
  return paths;
}
