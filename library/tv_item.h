#pragma once
// One channel: the nine columns of a record line, in file order.
#include <cstdint>
#include <string>

struct tagTV_ITEM {
  std::string strName;      // "Name" column, window caption; read verbatim
  int32_t nValue = 0;       // carried; 1 for a location opened directly
  std::string strLocation;  // the stream handed to the player; a channel's identity
  std::string strText3;
  std::string strText4;
  std::string strBitrate;  // "Bitrate(bps)" column; its first number drives filter and sort
  std::string strCountry;  // "Country" column; the group key of the main library
  std::string strText7;    // searched together with the name
  std::string strText8;

  bool operator==(const tagTV_ITEM&) const = default;
};
