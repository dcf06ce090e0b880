#include "player/engine_choice.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* location;
  const char* extension;
  bool real;
};

class EngineChoice : public testing::TestWithParam<Case> {};

TEST_P(EngineChoice, ExtensionAndEngine) {
  const Case& c = GetParam();
  EXPECT_EQ(qplayer::LocationExtension(c.location), c.extension) << c.location;
  EXPECT_EQ(qplayer::IsRealMedia(c.location), c.real) << c.location;
}

INSTANTIATE_TEST_SUITE_P(Locations, EngineChoice, testing::Values(
    // Schemes count in exactly their lower case, anywhere in the location.
    Case{"rtsp://media.example.org/live", ".org/live", true},
    Case{"pnm://media.example.org/live", ".org/live", true},
    Case{"RTSP://media.example.org/live", ".org/live", false},
    Case{"Pnm://host/clip", "", false},
    Case{"http://proxy/?u=rtsp://media/x", "", true},
    // Extensions are lowered, and tested by containment.
    Case{"http://host/clip.RM", ".RM", true},
    Case{"/home/user/Videos/clip.rmvb", ".rmvb", true},
    Case{"http://host/list.ram", ".ram", true},
    Case{"http://host/radio.pls", ".pls", true},
    Case{"http://host/show.smil", ".smil", true},
    Case{"http://host/clip.rmx", ".rmx", true},
    Case{"http://host/song.ra", ".ra", true},
    Case{"http://host/clip.asf", ".asf", false},
    Case{"http://host/clip.wmv", ".wmv", false},
    Case{"mms://host/live.asx", ".asx", false},
    // '/' does not end the extension: a query keeps a Real one, and a host name's
    // tail runs on into the path.
    Case{"http://host/clip.rm?session=1", ".rm?session=1", true},
    Case{"http://host/live.asf?a=b.c", ".c", false},
    Case{"http://radio.rp/stream", ".rp/stream", true},
    Case{"http://www.example.com/clips/main", ".com/clips/main", false},
    Case{"http://stream.rpg.example.net/x", ".net/x", false},
    // A ':' or '\' after the last '.' leaves no extension.
    Case{"http://host.ra:8080/live", "", false},
    Case{"C:\\media.rm\\clip", "", false},
    Case{"C:\\media\\clip.rm", ".rm", true},
    Case{"av://lavfi:testsrc2=size=320x240", "", false},
    Case{"", "", false}));

}  // namespace
