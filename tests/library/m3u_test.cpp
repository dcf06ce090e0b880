#include "library/m3u.h"

#include <gtest/gtest.h>

#include <QProcess>

#include "library/list_mag.h"
#include "tests/support/test_dir.h"

namespace {

// The fields a playlist entry fills; the rest of a record stays empty.
struct Rec {
  std::string name, location, country, bitrate, text7;
};

std::vector<Rec> Fields(const std::vector<tagTV_ITEM>& items) {
  std::vector<Rec> out;
  for (const auto& t : items) {
    EXPECT_EQ(t.nValue, 0);
    EXPECT_EQ(t.strText3 + t.strText4 + t.strText8, "");
    out.push_back({t.strName, t.strLocation, t.strCountry, t.strBitrate, t.strText7});
  }
  return out;
}

void PrintTo(const Rec& r, std::ostream* os) {
  *os << "{" << r.name << " | " << r.location << " | " << r.country << " | " << r.bitrate << " | " << r.text7 << "}";
}

bool operator==(const Rec& a, const Rec& b) {
  return a.name == b.name && a.location == b.location && a.country == b.country && a.bitrate == b.bitrate &&
         a.text7 == b.text7;
}

struct LinesCase {
  const char* what;
  std::string text;  // after "#EXTM3U\n"
  std::vector<Rec> want;
};

const std::vector<LinesCase>& LineCases() {
  static const std::vector<LinesCase> cases = {
      {"quoted attributes",
       "#EXTINF:-1 tvg-id=\"cnn.us\" tvg-name=\"CNN\" tvg-logo=\"http://l/c.png\" tvg-country=\"US\" "
       "group-title=\"News\",CNN International\nhttp://s/cnn.m3u8\n",
       {{"CNN International", "http://s/cnn.m3u8", "USA", "", "News"}}},
      {"unquoted attributes end at a blank or a comma",
       "#EXTINF:-1 tvg-country=de group-title=Sport,Sport1\nhttp://s/1\n",
       {{"Sport1", "http://s/1", "Germany", "", "Sport"}}},
      {"commas, quotes and dashes in the name; a comma inside a quoted value",
       "#EXTINF:-1 group-title=\"News, Talk\" tvg-logo='http://l/a,b.png',Radio \"Eins\", Berlin - Live\n"
       "http://s/2\n",
       {{"Radio \"Eins\", Berlin - Live", "http://s/2", "News, Talk", "", "News, Talk"}}},
      {"directives between the info and its location are skipped",
       "#EXTINF:-1,Kanal\n#EXTVLCOPT:http-user-agent=Mozilla\n#KODIPROP:x=y\n# a comment\n\nhttp://s/3\n",
       {{"Kanal", "http://s/3", "Others", "", ""}}},
      {"a location without #EXTINF is named by its location",
       "rtmp://s/4 \n",
       {{"rtmp://s/4", "rtmp://s/4", "Others", "", ""}}},
      {"an empty name falls back to tvg-name, then to the location",
       "#EXTINF:-1 tvg-name=\"Arte HD\",\nhttp://s/5\n#EXTINF:0 ,  \nhttp://s/6\n",
       {{"Arte HD", "http://s/5", "Others", "", ""}, {"http://s/6", "http://s/6", "Others", "", ""}}},
      {"the first of several codes; unknown codes upper-cased; names kept",
       "#EXTINF:-1 tvg-country=\"fr;BE\",A\nhttp://s/7\n"
       "#EXTINF:-1 tvg-country=\"uk\",B\nhttp://s/8\n"
       "#EXTINF:-1 tvg-country=\"int\" group-title=\"Music\",C\nhttp://s/9\n"
       "#EXTINF:-1 tvg-country=\"Austria|DE\",D\nhttp://s/10\n",
       {{"A", "http://s/7", "France", "", ""},
        {"B", "http://s/8", "United Kingdom", "", ""},
        {"C", "http://s/9", "INT", "", "Music"},
        {"D", "http://s/10", "Austria", "", ""}}},
      {"no country: the first part of the group title, then Others",
       "#EXTINF:-1 tvg-country=\"\" group-title=\"Kids;Animation\",E\nhttp://s/11\n"
       "#EXTINF:-1 group-title=\"\",F\nhttp://s/12\n",
       {{"E", "http://s/11", "Kids", "", "Kids;Animation"}, {"F", "http://s/12", "Others", "", ""}}},
      {"a bitrate only when the playlist gives one",
       "#EXTINF:-1 tvg-bitrate=\"128 Kbps\",G\nhttp://s/13\n#EXTINF:-1 BITRATE=64,H\nhttp://s/14\n",
       {{"G", "http://s/13", "Others", "128 Kbps", ""}, {"H", "http://s/14", "Others", "64", ""}}},
      {"an #EXTINF without its location gives way to the next",
       "#EXTINF:-1 tvg-country=\"JP\",Lost\n#EXTINF:-1,L\nhttp://s/18\n",
       {{"L", "http://s/18", "Others", "", ""}}},
      {"an open quote runs to the end of its line",
       "#EXTINF:-1 tvg-name=\"Open, still\nhttp://s/19\n",
       {{"Open, still", "http://s/19", "Others", "", ""}}},
      {"duplicates stay in the parsed entries",
       "http://s/20\nHTTP://S/20\n",
       {{"http://s/20", "http://s/20", "Others", "", ""}, {"HTTP://S/20", "HTTP://S/20", "Others", "", ""}}},
      // Last: its group carries on to whatever follows.
      {"#EXTGRP groups the entries that follow unless they name their own",
       "#EXTGRP:Italy\n#EXTINF:-1,I\nhttp://s/15\n#EXTINF:-1 group-title=\"Spain\",J\nhttp://s/16\n"
       "#EXTINF:-1,K\nhttp://s/17\n",
       {{"I", "http://s/15", "Italy", "", "Italy"},
        {"J", "http://s/16", "Spain", "", "Spain"},
        {"K", "http://s/17", "Italy", "", "Italy"}}},
  };
  return cases;
}

}  // namespace

TEST(M3uParse, EntryLinesGiveTheirRecords) {
  for (const auto& c : LineCases()) {
    SCOPED_TRACE(c.what);
    const m3u::Playlist p = m3u::Parse("#EXTM3U\n" + c.text);
    EXPECT_EQ(p.problem, m3u::Problem::None);
    EXPECT_EQ(Fields(p.records), c.want);
  }
}

TEST(M3uParse, ByteOrderMarkLineEndsAndPiecesOfAnySize) {
  std::string whole = "\xEF\xBB\xBF#EXTM3U x-tvg-url=\"http://e/g.xml\"\r\n";
  std::vector<Rec> want;
  for (const auto& c : LineCases()) {
    whole += c.text;
    want.insert(want.end(), c.want.begin(), c.want.end());
  }
  for (const std::string& ends : {std::string("\r\n"), std::string("\r")}) {
    std::string text;
    for (char ch : whole) text += ch == '\n' ? ends : std::string(1, ch);
    text.resize(text.size() - ends.size());  // the last line without its line end
    for (size_t piece : {size_t(1), size_t(2), size_t(7), text.size()}) {
      SCOPED_TRACE(testing::Message() << "piece " << piece << ", CR only " << (ends == "\r"));
      m3u::Parser parser;
      for (size_t at = 0; at < text.size(); at += piece) parser.Feed(std::string_view(text).substr(at, piece));
      parser.Finish();
      EXPECT_EQ(parser.problem(), m3u::Problem::None);
      EXPECT_EQ(Fields(parser.records()), want);
    }
  }
}

TEST(M3uParse, WhatIsNotAListOfChannels) {
  struct Case {
    const char* what;
    std::string text;
    m3u::Problem problem;
    size_t records;
  };
  const Case cases[] = {
      {"empty", "", m3u::Problem::NotAPlaylist, 0},
      {"blank", "\xEF\xBB\xBF \r\n\r\n", m3u::Problem::NotAPlaylist, 0},
      {"a header and no entries", "#EXTM3U\r\n", m3u::Problem::None, 0},
      {"a header and only directives", "#EXTM3U\n#EXTINF:-1,Without location\n", m3u::Problem::None, 0},
      {"no header, addresses and paths", "http://s/1\n#EXTINF:-1,B\n/media/b.ts\n", m3u::Problem::None, 2},
      {"a web page", "<!DOCTYPE html>\n<html><body>Not here</body></html>\n", m3u::Problem::NotAPlaylist, 0},
      {"a web page after good lines", "http://s/1\n<html>\n", m3u::Problem::NotAPlaylist, 0},
      {"a text", "channels:\nhttp://s/1\n", m3u::Problem::NotAPlaylist, 0},
      {"binary", std::string("#EXTM3U\nhttp://s/1\n\0\x01\x02", 22), m3u::Problem::NotAPlaylist, 0},
      {"UTF-16", std::string("\xFF\xFE#\0E\0X\0T\0", 10), m3u::Problem::NotAPlaylist, 0},
      {"HLS segments", "#EXTM3U\n#EXT-X-TARGETDURATION:6\n#EXTINF:6.0,\nseg1.ts\n", m3u::Problem::SingleStream, 0},
      {"HLS variants", "#EXTM3U\n#EXT-X-STREAM-INF:BANDWIDTH=800000\nlow/index.m3u8\n", m3u::Problem::SingleStream, 0},
      {"binary after HLS", std::string("#EXTM3U\n#EXT-X-TARGETDURATION:6\nseg1.ts\n\0\0", 42),
       m3u::Problem::SingleStream, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const m3u::Playlist p = m3u::Parse(c.text);
    EXPECT_EQ(p.problem, c.problem);
    EXPECT_EQ(p.records.size(), c.records);
    EXPECT_EQ(m3u::ProblemText(p.problem).empty(), c.problem == m3u::Problem::None);
    // The first problem in the text is the one found, however a download cuts it.
    for (size_t piece : {1, 5}) {
      m3u::Parser parser;
      for (size_t at = 0; at < c.text.size(); at += piece) parser.Feed(std::string_view(c.text).substr(at, piece));
      parser.Finish();
      EXPECT_EQ(parser.problem(), c.problem) << "in pieces of " << piece;
    }
  }
}

TEST(M3uParse, AProblemStopsTheParserEarly) {
  m3u::Parser parser;
  parser.Feed("<html>\n");
  EXPECT_EQ(parser.problem(), m3u::Problem::NotAPlaylist);
  parser.Feed("#EXTM3U\nhttp://s/1\n");
  parser.Finish();
  EXPECT_EQ(parser.problem(), m3u::Problem::NotAPlaylist);
  EXPECT_TRUE(parser.records().empty());
}

TEST(M3uParse, ATruncatedPlaylistKeepsItsWholeEntries) {
  const std::string full =
      "#EXTM3U\n#EXTINF:-1 tvg-country=\"SE\",SVT 1\nhttp://s/svt1\n"
      "#EXTINF:-1 tvg-country=\"NO\" group-title=\"News\",NRK 1\nhttp://s/nrk1\n";
  const size_t cut = full.find("group-title=\"Ne") + 15;
  const m3u::Playlist p = m3u::Parse(full.substr(0, cut));
  EXPECT_EQ(p.problem, m3u::Problem::None);
  EXPECT_EQ(Fields(p.records), (std::vector<Rec>{{"SVT 1", "http://s/svt1", "Sweden", "", ""}}));
}

TEST(M3uParse, RelativeLocationsFollowThePlaylist) {
  const std::string text = "#EXTM3U\nlive/a.m3u8\n/abs/b.m3u8\n//cdn.example/c.m3u8\nhttp://other/d\n";
  struct Case {
    std::string base;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"", {"live/a.m3u8", "/abs/b.m3u8", "//cdn.example/c.m3u8", "http://other/d"}},
      {"http://host/lists/tv.m3u",
       {"http://host/lists/live/a.m3u8", "http://host/abs/b.m3u8", "http://cdn.example/c.m3u8", "http://other/d"}},
      {"/home/u/lists/tv.m3u", {"/home/u/lists/live/a.m3u8", "/abs/b.m3u8", "//cdn.example/c.m3u8", "http://other/d"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.base);
    std::vector<std::string> got;
    for (const auto& r : m3u::Parse(text, c.base).records) got.push_back(r.strLocation);
    EXPECT_EQ(got, c.want);
  }
  // A location no address can be made of keeps its entry, as written.
  const auto odd = m3u::Parse("#EXTM3U\n#EXTINF:-1,Odd\nx://;s.test/a\n", "http://host/lists/tv.m3u").records;
  ASSERT_EQ(odd.size(), 1u);
  EXPECT_EQ(odd[0].strLocation, "x://;s.test/a");
  EXPECT_EQ(odd[0].strName, "Odd");
}

TEST(M3uCountry, CodesToNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"US", "USA"},
      {"us", "USA"},
      {" gb ", "United Kingdom"},
      {"UK", "United Kingdom"},
      {"CI", "Côte d'Ivoire"},
      {"ZW", "Zimbabwe"},
      {"AD", "Andorra"},
      {"zz", "ZZ"},
      {"int", "INT"},
      {"Germany", "Germany"},
      {"x", "x"},
      {"", ""},
  };
  for (const auto& [code, name] : cases) EXPECT_EQ(m3u::CountryName(code), name) << code;
}

class M3uMergeTest : public ScratchTest {
 protected:
  std::string lib = dir_ / "libs/tv.lib";
};

TEST_F(M3uMergeTest, KeepsStoredChannelsAndAddsTheNewOnesOnce) {
  std::string plain =
      "Quillon demo library\r\n"
      "\"Boston Life\",3,http://s/boston,a,b,\"220 Kbps\",USA,\"game of life\",z\r\n"
      "\"Tokyo Test\",0,http://s/tokyo,,,\"450 Kbps\",Japan,,\r\n";
  ScrambleBuffer(reinterpret_cast<unsigned char*>(plain.data()), plain.size());
  TestDir::Write(lib, plain);

  ListMag list;
  ASSERT_TRUE(list.Load(lib));
  std::vector<tagTV_ITEM> before;
  for (int i = 0; i < list.Count(); ++i) before.push_back(*list.Item(i));

  const m3u::Playlist p = m3u::Parse(
      "#EXTM3U\n"
      "#EXTINF:-1 tvg-country=\"JP\",Tokyo renamed\nHTTP://S/TOKYO\n"
      "#EXTINF:-1 tvg-country=\"US\",Miami \"Beach\", FL\nhttp://s/miami\n"
      "#EXTINF:-1 tvg-country=\"NL\",Amsterdam\nhttp://s/ams\n"
      "#EXTINF:-1,Miami again\nhttp://s/miami\n");
  ASSERT_EQ(p.records.size(), 4u);
  EXPECT_EQ(m3u::Merge(p.records, list), 2);
  list.Save();

  ListMag again;
  ASSERT_TRUE(again.Load(lib));
  EXPECT_EQ(again.strHeader, "Quillon demo library");
  ASSERT_EQ(again.Count(), 4);
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(*again.Item(int(i)), before[i]);
  EXPECT_EQ(again.Item(2)->strName, "Miami \"Beach\", FL");
  EXPECT_EQ(again.Item(2)->strCountry, "USA");
  EXPECT_EQ(again.Item(3)->strLocation, "http://s/ams");
  EXPECT_EQ(again.Groups(), (std::vector<std::string>{"Japan", "Netherlands", "USA", "Others"}));
}

class ImportCommandTest : public ScratchTest {
 protected:
  std::string playlist = dir_ / "in/list.m3u";
  std::string lib = dir_ / "out/tv.lib";

  int Run(const QStringList& args, QString* out = nullptr) {
    QProcess p;
    p.start(QString(QUILLON_BUILD_BIN_DIR) + "/quillon-lists", QStringList{"import-m3u"} + args);
    EXPECT_TRUE(p.waitForFinished(60000));
    if (out) *out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }
  std::vector<std::string> Locations() {
    ListMag list;
    EXPECT_TRUE(list.Load(lib));
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Item(i)->strLocation);
    return out;
  }
};

TEST_F(ImportCommandTest, WritesThenMergesAndRefusesWhatIsNotAPlaylist) {
  const QString in = QString::fromStdString(playlist), out = QString::fromStdString(lib);
  TestDir::Write(playlist, "#EXTM3U\n#EXTINF:-1,A\nhttp://s/a\n#EXTINF:-1,B\nlive/b.m3u8\n");
  QString text;
  ASSERT_EQ(Run({in, out}, &text), 0) << text.toStdString();
  EXPECT_EQ(Locations(), (std::vector<std::string>{"http://s/a", dir_ / "in/live/b.m3u8"}));

  TestDir::Write(playlist, "#EXTM3U\nhttp://s/c\nhttp://s/a\n");
  ASSERT_EQ(Run({in, out, "--merge"}, &text), 0) << text.toStdString();
  EXPECT_TRUE(text.startsWith("added 1 channels, skipped 1 already present")) << text.toStdString();
  EXPECT_EQ(Locations(), (std::vector<std::string>{"http://s/a", dir_ / "in/live/b.m3u8", "http://s/c"}));

  const std::string stored = TestDir::Read(lib);
  TestDir::Write(playlist, "<html>Not Found</html>\n");
  EXPECT_EQ(Run({in, out, "--merge"}, &text), 1);
  EXPECT_TRUE(text.contains("not an M3U playlist")) << text.toStdString();
  EXPECT_EQ(Run({in, out}), 1);
  EXPECT_EQ(TestDir::Read(lib), stored);

  // Without --merge the playlist alone makes the library.
  TestDir::Write(playlist, "#EXTM3U\nhttp://s/d\n");
  ASSERT_EQ(Run({in, out}), 0);
  EXPECT_EQ(Locations(), (std::vector<std::string>{"http://s/d"}));
}
