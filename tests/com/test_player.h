#pragma once
// The interface of the test module: a small control with a dual interface and an
// event interface, built only for the runtime's tests.
#include "platform/com/com.h"

inline constexpr CLSID CLSID_TestPlayer = qcom::Guid("{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B6C}");
inline constexpr GUID LIBID_TestPlayer = qcom::Guid("{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B60}");
inline constexpr IID DIID_ITestPlayerEvents = qcom::Guid("{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B6E}");

struct ITestPlayer : IDispatch {
  QCOM_INTERFACE(IDispatch, "{6A1C2E3F-5B4D-4E8A-9C7B-1D2E3F4A5B6D}");
  // Adds n to Total and raises OnTotal(Total).
  virtual HRESULT Add(LONG n) = 0;
  virtual HRESULT get_Total(LONG* out) = 0;
  virtual HRESULT put_Total(LONG value) = 0;
  // The title is copied in and handed out as a new BSTR; a put tells the property
  // sinks.
  virtual HRESULT get_Title(BSTR* out) = 0;
  virtual HRESULT put_Title(BSTR value) = 0;
  // Raises OnKeyPress with the key by reference and answers what the host left in it.
  virtual HRESULT PressKey(SHORT key, SHORT* result) = 0;
};

// Dispids of ITestPlayer.
enum : DISPID { kDispAdd = 1, kDispTotal = 2, kDispTitle = 3, kDispPressKey = 4, kDispFail = 5 };
// Dispids of the events.
enum : DISPID { kEventTotal = 1, kEventKeyPress = 2 };
// Misc status the module registers and reports.
inline constexpr DWORD kTestMiscStatus = OLEMISC_ACTSLIKELABEL | OLEMISC_SIMPLEFRAME;
// The failure text of member Fail.
inline constexpr const char* kFailText = "The test player refused.";
