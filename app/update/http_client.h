#pragma once
// The live update's HTTP client: one plain GET whose body goes to a file, behaving as
// the client the update descriptions were made for: HTTP/1.1, no proxy whatever the
// environment says, redirects not followed, the agent string below.
#include <atomic>
#include <cstdio>
#include <string>

namespace qupdate {

inline constexpr char kAgent[] = "Mozilla/3.0 (compatible; Indy Library)";

struct THttpOptions {
  // A host that does not answer is given up after this long.
  long nConnectTimeoutMs = 15000;
  // A transfer that delivers nothing for this long is given up.
  long nStallTimeoutSec = 60;
};

class THttpClient {
 public:
  // A transfer stops soon after *pCancel turns true (when given).
  explicit THttpClient(const std::atomic<bool>* pCancel = nullptr, THttpOptions options = {});

  // GETs the address and writes the body to the file as it arrives. False on a reply
  // other than 2xx (a redirect too), a connection failure, a cancelled transfer or a
  // failed write; the body received before stays in the file.
  bool Get(const std::string& strUrl, std::FILE* pFile);
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
