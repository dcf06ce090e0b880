#pragma once
// The RealPlayer engine as its host sees it: class id, the dual interface IRealAudio
// with its dispids, the event dispinterface and the play states. The engine module
// rmoc3260.so in the system directory implements it; a host includes this header
// and creates the engine by class id, never by linking the module.
#include "platform/com/com.h"

inline constexpr CLSID CLSID_RealAudio = qcom::Guid("{CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA}");
inline constexpr IID DIID__RealAudioEvents = qcom::Guid("{CFCDAA02-8BE4-11CF-B84B-0020AFBBCCFA}");
inline constexpr GUID LIBID_RealAudio = qcom::Guid("{CFCDAA00-8BE4-11CF-B84B-0020AFBBCCFA}");

struct IRealAudio : IDispatch {
  QCOM_INTERFACE(IDispatch, "{CFCDAA01-8BE4-11CF-B84B-0020AFBBCCFA}");
  // The clip to play: a location, copied in.
  virtual HRESULT get_Source(BSTR* out) = 0;
  virtual HRESULT put_Source(BSTR value) = 0;
  // Which part of the player the window shows; "ImageWindow" is the video.
  virtual HRESULT get_Controls(BSTR* out) = 0;
  virtual HRESULT put_Controls(BSTR value) = 0;
  // Plays Source from its start (resumes when Source is the clip paused now);
  // E_FAIL with a description when Source is empty.
  virtual HRESULT DoPlay() = 0;
  // Pauses what plays, resumes what is paused, plays Source when stopped.
  virtual HRESULT DoPlayPause() = 0;
  virtual HRESULT DoStop() = 0;
  // Pauses when CanPause is true, else does nothing.
  virtual HRESULT DoPause() = 0;
  // True while a clip is contacting, buffering or playing.
  virtual HRESULT CanPause(VARIANT_BOOL* out) = 0;
  virtual HRESULT SetMute(VARIANT_BOOL mute) = 0;
  virtual HRESULT GetMute(VARIANT_BOOL* out) = 0;
  // 0..100; values outside are clamped.
  virtual HRESULT SetVolume(SHORT volume) = 0;
  virtual HRESULT GetVolume(SHORT* out) = 0;
  // The clip's picture size; 0 x 0 before it plays and for sound only.
  virtual HRESULT GetClipWidth(LONG* out) = 0;
  virtual HRESULT GetClipHeight(LONG* out) = 0;
  // Shows the picture in a full-screen window of its own; Esc or a double click
  // leaves it.
  virtual HRESULT SetFullScreen() = 0;
  virtual HRESULT GetFullScreen(VARIANT_BOOL* out) = 0;
  // Display options: keep the clip's aspect ratio; centre it in the window when it
  // does not fill it. Both false at creation.
  virtual HRESULT SetMaintainAspect(VARIANT_BOOL on) = 0;
  virtual HRESULT GetMaintainAspect(VARIANT_BOOL* out) = 0;
  virtual HRESULT SetCenter(VARIANT_BOOL on) = 0;
  virtual HRESULT GetCenter(VARIANT_BOOL* out) = 0;
  // One of RealState.
  virtual HRESULT GetPlayState(LONG* out) = 0;
};

namespace real {

// Dispids of IRealAudio.
enum : DISPID {
  kDispSource = 102,
  kDispControls = 104,
  kDispDoPlay = 120,
  kDispDoPlayPause = 121,
  kDispDoStop = 122,
  kDispDoPause = 123,
  kDispCanPause = 124,
  kDispSetMute = 125,
  kDispGetMute = 126,
  kDispSetVolume = 127,
  kDispGetVolume = 128,
  kDispGetClipWidth = 129,
  kDispGetClipHeight = 130,
  kDispSetFullScreen = 131,
  kDispGetFullScreen = 132,
  kDispSetMaintainAspect = 133,
  kDispGetMaintainAspect = 134,
  kDispSetCenter = 135,
  kDispGetCenter = 136,
  kDispGetPlayState = 137,
};

// Dispids of the events, with their arguments in declaration order:
//   OnShowStatus(BSTR statusText): a status line, such as the title now playing.
//   OnStateChange(LONG lOldState, LONG lNewState): states of RealState.
//   OnErrorMessage(LONG uSeverity, LONG uRMACode, LONG uUserCode, BSTR pUserString,
//                  BSTR pMoreInfoURL, BSTR pErrorString): pErrorString tells the user
//                  what failed; the state then returns to stopped.
enum : DISPID { kEventShowStatus = 1, kEventStateChange = 2, kEventErrorMessage = 3 };

enum RealState : LONG { kStopped = 0, kContacting = 1, kBuffering = 2, kPlaying = 3, kPaused = 4 };

// The engine module's file in the system directory.
inline constexpr const char* kModuleName = "rmoc3260.so";

}  // namespace real
