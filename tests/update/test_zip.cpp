#include "tests/update/test_zip.h"

#include <zip.h>
#include <zlib.h>

uint32_t DosDate(int year, int month, int day, int hour, int minute, int second) {
  const uint32_t date = uint32_t(((year - 1980) << 9) | (month << 5) | day);
  const uint32_t time = uint32_t((hour << 11) | (minute << 5) | (second / 2));
  return (date << 16) | time;
}

bool MakeZip(const std::string& strPath, const std::vector<TestEntry>& entries) {
  zipFile zf = zipOpen(strPath.c_str(), APPEND_STATUS_CREATE);
  if (!zf) return false;
  bool ok = true;
  for (const TestEntry& e : entries) {
    zip_fileinfo fi = {};
    fi.dosDate = e.dwDosDate;
    fi.external_fa = e.dwUnixMode << 16;
    const uLong madeBy = e.dwUnixMode ? (3u << 8) | 20u : 0u;
    const int raw = e.bBadCrc ? 1 : 0;
    const int method = e.bBadCrc ? 0 : Z_DEFLATED;
    ok = ok && zipOpenNewFileInZip4(zf, e.strName.c_str(), &fi, nullptr, 0, nullptr, 0,
                                    e.strComment.empty() ? nullptr : e.strComment.c_str(), method,
                                    Z_DEFAULT_COMPRESSION, raw, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr, 0,
                                    madeBy, 0) == ZIP_OK;
    ok = ok && zipWriteInFileInZip(zf, e.strData.data(), unsigned(e.strData.size())) == ZIP_OK;
    if (e.bBadCrc) {
      const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(e.strData.data()), uInt(e.strData.size()));
      ok = ok && zipCloseFileInZipRaw(zf, e.strData.size(), crc ^ 0xFFFFu) == ZIP_OK;
    } else {
      ok = ok && zipCloseFileInZip(zf) == ZIP_OK;
    }
  }
  return zipClose(zf, nullptr) == ZIP_OK && ok;
}
