#include "app/update/http_client.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <string_view>

#include "platform/profile.h"
#include "platform/text.h"

namespace qupdate {
namespace {

struct Transfer {
  const TBodySink* pSink = nullptr;
  const TProgressSink* pProgress = nullptr;
  const std::atomic<bool>* pCancel = nullptr;
  std::string strStatusLine;
  bool bWriteFailed = false;
};

size_t WriteBody(char* p, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if ((*t->pSink)(std::string_view(p, bytes))) return bytes;
  t->bWriteFailed = true;
  return 0;
}

// Keeps the last status line, so an error reads like the reply that caused it.
size_t HeaderLine(char* p, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const std::string_view line(p, size * count);
  if (line.starts_with("HTTP/")) t->strStatusLine = qtext::Trim(line);
  return size * count;
}

int Progress(void* user, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t) {
  const auto* t = static_cast<const Transfer*>(user);
  if (*t->pProgress) (*t->pProgress)(std::int64_t(received), std::int64_t(total));
  return t->pCancel && t->pCancel->load() ? 1 : 0;
}

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

THttpClient::THttpClient(const std::atomic<bool>* pCancel, THttpOptions options)
    : options(options), pCancel(pCancel) {}

bool THttpClient::Get(const std::string& strUrl, std::FILE* pFile) {
  return Get(strUrl, [pFile](std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), pFile) == bytes.size();
  });
}

bool THttpClient::Get(const std::string& strUrl, const TBodySink& sink, const TProgressSink& progress) {
  strError.clear();
  InitCurlOnce();
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> handle(curl_easy_init(), curl_easy_cleanup);
  if (!handle) {
    strError = "The HTTP client cannot be started.";
    return false;
  }
  CURL* c = handle.get();
  Transfer t;
  t.pSink = &sink;
  t.pProgress = &progress;
  t.pCancel = pCancel;
  char szError[CURL_ERROR_SIZE] = "";

  curl_easy_setopt(c, CURLOPT_URL, strUrl.c_str());
  // Web addresses only: a description must not make the update read local files.
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(c, CURLOPT_PROXY, "");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, options.bFollowRedirects ? 1L : 0L);
  // A redirect may not lead from the web to a local file either.
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(c, CURLOPT_USERAGENT, options.strAgent.c_str());
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, options.nConnectTimeoutMs);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, options.nStallTimeoutSec);
  // Not the main thread: time-outs must not rely on signals.
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, HeaderLine);
  curl_easy_setopt(c, CURLOPT_HEADERDATA, &t);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, Progress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, szError);

  const CURLcode rc = curl_easy_perform(c);
  long nStatus = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &nStatus);
  // A reply other than 2xx is told as the server put it, even when its body was not
  // wanted either.
  const bool bHttpError = nStatus != 0 && (nStatus < 200 || nStatus > 299);
  if (rc == CURLE_ABORTED_BY_CALLBACK)
    strError = "The transfer was cancelled.";
  else if (bHttpError)
    strError = t.strStatusLine.empty() ? "HTTP status " + std::to_string(nStatus) : t.strStatusLine;
  else if (t.bWriteFailed)
    strError = "The downloaded data cannot be written.";
  else if (rc != CURLE_OK)
    strError = *szError ? szError : curl_easy_strerror(rc);
  else
    return true;
  return false;
}

bool THttpClient::GetToFile(const std::string& strUrl, const std::string& strFile) {
  std::FILE* f = qprofile::CanWriteFile(strFile) ? std::fopen(strFile.c_str(), "wb") : nullptr;
  if (!f) {
    strError = qtext::FormatText("Cannot create the file %s.", strFile);
    return false;
  }
  bool ok = Get(strUrl, f);
  if (std::fclose(f) != 0 && ok) {
    strError = qtext::FormatText("Cannot write the file %s.", strFile);
    ok = false;
  }
  return ok;
}

}  // namespace qupdate
