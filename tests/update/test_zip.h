#pragma once
// Zip archives made by the tests, with minizip's writer.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A DOS date as archives keep it: the date in the high 16 bits, the local time in the
// low 16 bits (seconds in steps of two).
uint32_t DosDate(int year, int month, int day, int hour, int minute, int second);

struct TestEntry {
  TestEntry(std::string strName, std::string strData, uint32_t dwDosDate = DosDate(2021, 6, 15, 10, 30, 20),
            uint32_t dwUnixMode = 0, bool bBadCrc = false, std::string strComment = "")
      : strName(std::move(strName)),
        strData(std::move(strData)),
        dwDosDate(dwDosDate),
        dwUnixMode(dwUnixMode),
        bBadCrc(bBadCrc),
        strComment(std::move(strComment)) {}

  std::string strName;
  std::string strData;
  uint32_t dwDosDate;
  // Non-zero: the entry says it was made on Unix, with this file mode.
  uint32_t dwUnixMode;
  // Stored with a wrong CRC-32, as a damaged archive would be.
  bool bBadCrc;
  std::string strComment;
};

// Writes the archive; false when minizip refused any step.
bool MakeZip(const std::string& strPath, const std::vector<TestEntry>& entries);
