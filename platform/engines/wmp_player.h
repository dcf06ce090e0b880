#pragma once
// The Windows Media Player engine as its host sees it: class id, the player's dual
// interface IWMPPlayer2 over IWMPCore, the objects it hands out (controls, settings,
// currentMedia, network, error and its items) with their dispids, the event
// dispinterface and the play states. The engine module wmp.so in the system
// directory implements it; a host includes this header and creates the engine by
// class id, never by linking the module. Every object handed out is a new reference
// the caller releases.
#include "platform/com/com.h"

inline constexpr CLSID CLSID_WindowsMediaPlayer = qcom::Guid("{6BF52A52-394A-11D3-B153-00C04F79FAA6}");
inline constexpr IID DIID__WMPOCXEvents = qcom::Guid("{6BF52A51-394A-11D3-B153-00C04F79FAA6}");
inline constexpr GUID LIBID_WMPLib = qcom::Guid("{6BF52A50-394A-11D3-B153-00C04F79FAA6}");

struct IWMPControls : IDispatch {
  QCOM_INTERFACE(IDispatch, "{74C09E02-F828-11D2-A74B-00A0C905F36E}");
  // Opens URL, or resumes when URL is the media paused now; E_FAIL with a
  // description when URL is empty.
  virtual HRESULT play() = 0;
  virtual HRESULT stop() = 0;
  // Pauses when "Pause" is available, else does nothing.
  virtual HRESULT pause() = 0;
  // "Play", "Pause", "Stop" (in any case); any other name is unavailable.
  virtual HRESULT get_isAvailable(BSTR name, VARIANT_BOOL* out) = 0;
};

struct IWMPSettings : IDispatch {
  QCOM_INTERFACE(IDispatch, "{9104D1AB-80C9-4FED-ABF0-2E6417A6DF14}");
  // 0..100; values outside are clamped.
  virtual HRESULT get_volume(LONG* out) = 0;
  virtual HRESULT put_volume(LONG value) = 0;
  virtual HRESULT get_mute(VARIANT_BOOL* out) = 0;
  virtual HRESULT put_mute(VARIANT_BOOL value) = 0;
};

struct IWMPMedia : IDispatch {
  QCOM_INTERFACE(IDispatch, "{94D55E95-3FAC-11D3-B155-00C04F79FAA6}");
  // The picture size of the media playing; 0 x 0 before it plays and for sound only.
  virtual HRESULT get_imageSourceWidth(LONG* out) = 0;
  virtual HRESULT get_imageSourceHeight(LONG* out) = 0;
};

struct IWMPNetwork : IDispatch {
  QCOM_INTERFACE(IDispatch, "{EC21B779-EDEF-462D-BBA4-AD9DDE2B29A7}");
  // Percent of the buffer filled while buffering; 100 while playing.
  virtual HRESULT get_bufferingProgress(LONG* out) = 0;
};

struct IWMPErrorItem : IDispatch {
  QCOM_INTERFACE(IDispatch, "{3614C646-3B3B-4DE7-A81E-930E3F2127B3}");
  virtual HRESULT get_errorCode(LONG* out) = 0;
  // What failed, for the user.
  virtual HRESULT get_errorDescription(BSTR* out) = 0;
};

struct IWMPError : IDispatch {
  QCOM_INTERFACE(IDispatch, "{A12DCF7D-14AB-4C1B-A8CD-63909F06025B}");
  virtual HRESULT clearErrorQueue() = 0;
  virtual HRESULT get_errorCount(LONG* out) = 0;
  // Oldest first: the newest is item(errorCount - 1). E_INVALIDARG out of range.
  virtual HRESULT get_item(LONG index, IWMPErrorItem** out) = 0;
};

struct IWMPCore : IDispatch {
  QCOM_INTERFACE(IDispatch, "{D84CCA99-CCE2-11D2-9ECC-0000F8085981}");
  // The media to play: a location, copied in; controls.play opens it.
  virtual HRESULT get_URL(BSTR* out) = 0;
  virtual HRESULT put_URL(BSTR value) = 0;
  virtual HRESULT get_controls(IWMPControls** out) = 0;
  virtual HRESULT get_settings(IWMPSettings** out) = 0;
  virtual HRESULT get_currentMedia(IWMPMedia** out) = 0;
  virtual HRESULT get_network(IWMPNetwork** out) = 0;
  virtual HRESULT get_error(IWMPError** out) = 0;
  // One of WmpPlayState.
  virtual HRESULT get_playState(LONG* out) = 0;
  // The title now playing when the stream names one, else the play state in words.
  virtual HRESULT get_status(BSTR* out) = 0;
};

struct IWMPPlayer2 : IWMPCore {
  QCOM_INTERFACE(IWMPCore, "{0E6B01D1-D407-4C85-BF5F-1C01F6150280}");
  // "invisible", "none", "mini" or "full" (E_INVALIDARG otherwise). The engine draws
  // no controls of its own in any mode.
  virtual HRESULT get_uiMode(BSTR* out) = 0;
  virtual HRESULT put_uiMode(BSTR value) = 0;
  // true: E_FAIL unless media is playing or paused. Esc or a double click leaves it.
  virtual HRESULT get_fullScreen(VARIANT_BOOL* out) = 0;
  virtual HRESULT put_fullScreen(VARIANT_BOOL value) = 0;
  // false: the picture is never enlarged beyond its own size; true: scaled to the
  // window, keeping its aspect ratio. false at creation.
  virtual HRESULT get_stretchToFit(VARIANT_BOOL* out) = 0;
  virtual HRESULT put_stretchToFit(VARIANT_BOOL value) = 0;
};

namespace wmp {

// Dispids of IWMPCore / IWMPPlayer2.
enum : DISPID {
  kDispURL = 1,
  kDispControls = 4,
  kDispSettings = 5,
  kDispCurrentMedia = 6,
  kDispNetwork = 7,
  kDispPlayState = 10,
  kDispError = 17,
  kDispStatus = 18,
  kDispFullScreen = 21,
  kDispUiMode = 23,
  kDispStretchToFit = 24,
};
// IWMPControls
enum : DISPID { kDispPlay = 51, kDispStop = 52, kDispPause = 53, kDispIsAvailable = 62 };
// IWMPSettings
enum : DISPID { kDispVolume = 104, kDispMute = 107 };
// IWMPMedia
enum : DISPID { kDispImageSourceWidth = 752, kDispImageSourceHeight = 753 };
// IWMPNetwork
enum : DISPID { kDispBufferingProgress = 802 };
// IWMPError and IWMPErrorItem
enum : DISPID { kDispClearErrorQueue = 851, kDispErrorCount = 852, kDispItem = 853 };
enum : DISPID { kDispErrorCode = 901, kDispErrorDescription = 902 };

// Dispids of the events, with their arguments:
//   StatusChange(): read status.
//   PlayStateChange(LONG NewState): states of WmpPlayState.
//   Buffering(VARIANT_BOOL Start): true when buffering begins, false when it ends.
//   Error(): the newest entry of the error queue tells what failed; the play state
//            then becomes ready.
enum : DISPID { kEventStatusChange = 5002, kEventPlayStateChange = 5101, kEventBuffering = 5402, kEventError = 5501 };

enum WmpPlayState : LONG {
  kStopped = 1,
  kPaused = 2,
  kPlaying = 3,
  kBuffering = 6,
  kWaiting = 7,  // contacting the server
  kReady = 10,   // nothing loaded: before the first play and after a failure
};

// The engine module's file in the system directory, and the second name the
// presence test accepts.
inline constexpr const char* kModuleName = "wmp.so";
inline constexpr const char* kModuleSecondName = "wmp.ocx";

}  // namespace wmp
