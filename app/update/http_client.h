#pragma once
// The live update's HTTP client: one plain GET whose body goes to a file, behaving as
// the client the update descriptions were made for: HTTP/1.1, no proxy whatever the
// environment says, redirects not followed, the agent string below.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace qupdate {

inline constexpr char kAgent[] = "Mozilla/3.0 (compatible; Indy Library)";

struct THttpOptions {
  // A host that does not answer is given up after this long.
  long nConnectTimeoutMs = 15000;
  // A transfer that delivers nothing for this long is given up.
  long nStallTimeoutSec = 60;
  // The update's descriptions stay where they are; a playlist host may move its lists.
  bool bFollowRedirects = false;
  std::string strAgent = kAgent;
};

// Takes the body's bytes as they arrive; false ends the transfer as a failed write.
using TBodySink = std::function<bool(std::string_view)>;
// The bytes received so far and the whole body's size (0 while the server has not
// said). Called on the transfer's thread.
using TProgressSink = std::function<void(std::int64_t received, std::int64_t total)>;

class THttpClient {
 public:
  // A transfer stops soon after *pCancel turns true (when given).
  explicit THttpClient(const std::atomic<bool>* pCancel = nullptr, THttpOptions options = {});

  // GETs the address and writes the body to the file as it arrives. False on a reply
  // other than 2xx (a redirect too), a connection failure, a cancelled transfer or a
  // failed write; the body received before stays in the file.
  bool Get(const std::string& strUrl, std::FILE* pFile);
  // Get, handing the body to sink as it arrives. Failure as for the file; what the
  // sink took before then is for the caller to drop.
  bool Get(const std::string& strUrl, const TBodySink& sink, const TProgressSink& progress = {});
  // Get into the file, created or emptied first and closed afterwards. A file without
  // write permission bits is refused as read-only.
  bool GetToFile(const std::string& strUrl, const std::string& strFile);

  // Why the last call failed: the reply's status line ("HTTP/1.1 404 Not Found") or
  // the connection's error.
  const std::string& LastError() const { return strError; }

  THttpOptions options;

 private:
  const std::atomic<bool>* pCancel;
  std::string strError;
};

}  // namespace qupdate
