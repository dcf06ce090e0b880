#pragma once
// The type library of Corvane: the library, the dual interface IFormPlayer with every
// member in slot order and its dispid, the event dispinterface IFormPlayerEvents, the
// coclass FormPlayer and the enumerations. corvane.so implements it; a host includes
// this header and creates the control by class id, never by linking the module.
//
// Argument forms across the boundary: LPSTR arguments are the caller's 8-bit text,
// copied by the control before it returns; BSTR results are the caller's to free; the
// BSTR arguments of events belong to the control and live for the call only.
#include "platform/com/com.h"

// Library Corvane, version 1.0, locale 1033, "Corvane Library".
inline constexpr GUID LIBID_Corvane = qcom::Guid("{E41DE7E7-B821-4B50-8C2E-3D7B26874D7A}");
// Dispinterface IFormPlayerEvents, "Events interface for FormPlayer Control".
inline constexpr IID DIID_IFormPlayerEvents = qcom::Guid("{FAFA4548-91A1-4DC5-8336-EC640C157AF5}");
// Coclass FormPlayer, "FormPlayer Control": creatable, a control; IFormPlayer is its
// default interface and IFormPlayerEvents its default source.
inline constexpr CLSID CLSID_FormPlayer = qcom::Guid("{18E6ED0D-08D1-4ED5-8771-E72B4E6EFFD8}");

// The enumerations of the library, each with its type id.
inline constexpr GUID GUID_TxActiveFormBorderStyle = qcom::Guid("{E6DBC18C-1F47-44D3-A578-B1C9B43CBA20}");
enum TxActiveFormBorderStyle : LONG { afbNone = 0, afbSingle = 1, afbSunken = 2, afbRaised = 3 };
inline constexpr GUID GUID_TxPrintScale = qcom::Guid("{08CC186F-919C-4819-BBC8-81A700B30287}");
enum TxPrintScale : LONG { poNone = 0, poProportional = 1, poPrintToFit = 2 };
// Declared by the library; no member uses it.
inline constexpr GUID GUID_TxMouseButton = qcom::Guid("{19D1F1A8-731F-41C3-8690-98B4F0A306C4}");
enum TxMouseButton : LONG { mbLeft = 0, mbRight = 1, mbMiddle = 2 };
inline constexpr GUID GUID_TxHelpType = qcom::Guid("{55CE15DF-CECC-49E4-A4FE-588B43C4AB4C}");
enum TxHelpType : LONG { htKeyword = 0, htContext = 1 };

// A colour: 0x00BBGGRR, or 0x80000000 | index for a system colour.
using OLE_COLOR = DWORD;
inline constexpr OLE_COLOR clBtnFace = 0x8000000F;

// The standard font object, reached through IDispatch only: Name (text), Size (in
// points), Bold, Italic, Underline, Strikethrough and Weight (100..900).
struct IFontDisp : IDispatch {
  QCOM_INTERFACE(IDispatch, "{BEF6E003-A874-101A-8BBA-00AA00300CAB}");
};
enum : DISPID {
  DISPID_FONT_NAME = 0,
  DISPID_FONT_SIZE = 2,
  DISPID_FONT_BOLD = 3,
  DISPID_FONT_ITALIC = 4,
  DISPID_FONT_UNDER = 5,
  DISPID_FONT_STRIKE = 6,
  DISPID_FONT_WEIGHT = 7,
};

// Stock dispids.
enum : DISPID { DISPID_BACKCOLOR = -501, DISPID_FONT = -512, DISPID_ENABLED = -514, DISPID_CAPTION = -518 };

namespace corvane {

// Dispids of IFormPlayer.
enum FormPlayerDispId : DISPID {
  kDispVisible = 1,
  kDispAutoScroll = 2,
  kDispAutoSize = 3,
  kDispAxBorderStyle = 4,
  kDispCaption = DISPID_CAPTION,
  kDispColor = DISPID_BACKCOLOR,
  kDispFont = DISPID_FONT,
  kDispKeyPreview = 5,
  kDispPixelsPerInch = 6,
  kDispPrintScale = 7,
  kDispScaled = 8,
  kDispActive = 9,
  kDispDropTarget = 10,
  kDispHelpFile = 11,
  kDispDoubleBuffered = 12,
  kDispAlignDisabled = 13,
  kDispVisibleDockClientCount = 14,
  kDispEnabled = DISPID_ENABLED,
  kDispCursor = 15,
  kDispHelpType = 16,
  kDispHelpKeyword = 17,
  kDispStartPlay = 18,
  kDispStop = 19,
  kDispMute = 20,
  kDispPause = 21,
  kDispSetSize = 22,
  kDispShowCtrBar = 23,
  kDispSetUIStyle = 24,
  kDispUnInit = 25,
  kDispVolume = 26,
  kDispSetLangFile = 27,
  kDispAppName = 28,
  kDispShowCtrlBar = 29,
  kDispLangFileName = 31,
  kDispAppURL = 32,
};

// Dispids of IFormPlayerEvents, with their arguments in declaration order.
enum FormPlayerEventId : DISPID {
  kEventOnActivate = 1,
  kEventOnClick = 2,
  kEventOnCreate = 3,
  kEventOnChangeMsg = 4,  // BSTR strMsg
  kEventOnDblClick = 5,
  kEventOnDestroy = 6,
  kEventOnDeactivate = 7,
  kEventOnScreenSize = 8,  // int nX, int nY
  kEventOnError = 9,       // long nErrorID, BSTR strErrorStr
  kEventOnScreenC = 10,
  kEventOnKeyPress = 11,  // short* Key: the value left in it replaces the key
  kEventOnPaint = 16,
};

}  // namespace corvane

// "Dispatch interface for FormPlayer Control": dual, oleautomation. Standard members
// first, then the custom ones, in slot order.
struct IFormPlayer : IDispatch {
  QCOM_INTERFACE(IDispatch, "{5C6B7719-0346-4572-807A-08B92C17F6DA}");
  // Standard members: the form's properties of the same name. Visible, Active,
  // DropTarget, HelpFile, DoubleBuffered, AlignDisabled, VisibleDockClientCount and
  // Enabled are hidden members.
  virtual HRESULT get_Visible(VARIANT_BOOL* Value) = 0;
  virtual HRESULT put_Visible(VARIANT_BOOL Value) = 0;
  virtual HRESULT get_AutoScroll(VARIANT_BOOL* Value) = 0;
  virtual HRESULT put_AutoScroll(VARIANT_BOOL Value) = 0;
  virtual HRESULT get_AutoSize(VARIANT_BOOL* Value) = 0;
  virtual HRESULT put_AutoSize(VARIANT_BOOL Value) = 0;
  virtual HRESULT get_AxBorderStyle(TxActiveFormBorderStyle* Value) = 0;
  virtual HRESULT put_AxBorderStyle(TxActiveFormBorderStyle Value) = 0;
  virtual HRESULT get_Caption(BSTR* Value) = 0;
  virtual HRESULT put_Caption(BSTR Value) = 0;
  virtual HRESULT get_Color(OLE_COLOR* Value) = 0;
  virtual HRESULT put_Color(OLE_COLOR Value) = 0;
  virtual HRESULT get_Font(IFontDisp** Value) = 0;
  virtual HRESULT put_Font(IFontDisp* Value) = 0;
  virtual HRESULT putref_Font(IFontDisp** Value) = 0;
  virtual HRESULT get_KeyPreview(VARIANT_BOOL* Value) = 0;
  virtual HRESULT put_KeyPreview(VARIANT_BOOL Value) = 0;
  virtual HRESULT get_PixelsPerInch(LONG* Value) = 0;
  virtual HRESULT put_PixelsPerInch(LONG Value) = 0;
  virtual HRESULT get_PrintScale(TxPrintScale* Value) = 0;
  virtual HRESULT put_PrintScale(TxPrintScale Value) = 0;
  virtual HRESULT get_Scaled(VARIANT_BOOL* Value) = 0;
  virtual HRESULT put_Scaled(VARIANT_BOOL Value) = 0;
  virtual HRESULT get_Active(VARIANT_BOOL* Value) = 0;
  virtual HRESULT get_DropTarget(VARIANT_BOOL* Value) = 0;
  virtual HRESULT put_DropTarget(VARIANT_BOOL Value) = 0;
  virtual HRESULT get_HelpFile(BSTR* Value) = 0;
  virtual HRESULT put_HelpFile(BSTR Value) = 0;
  virtual HRESULT get_DoubleBuffered(VARIANT_BOOL* Value) = 0;
  virtual HRESULT put_DoubleBuffered(VARIANT_BOOL Value) = 0;
  virtual HRESULT get_AlignDisabled(VARIANT_BOOL* Value) = 0;
  virtual HRESULT get_VisibleDockClientCount(LONG* Value) = 0;
  virtual HRESULT get_Enabled(VARIANT_BOOL* Value) = 0;
  virtual HRESULT put_Enabled(VARIANT_BOOL Value) = 0;
  virtual HRESULT get_Cursor(SHORT* Value) = 0;
  virtual HRESULT put_Cursor(SHORT Value) = 0;
  virtual HRESULT get_HelpType(TxHelpType* Value) = 0;
  virtual HRESULT put_HelpType(TxHelpType Value) = 0;
  virtual HRESULT get_HelpKeyword(BSTR* Value) = 0;
  virtual HRESULT put_HelpKeyword(BSTR Value) = 0;

  // Custom members.
  virtual HRESULT StartPlay(LPSTR strSrc) = 0;
  virtual HRESULT Mute(VARIANT_BOOL bMute) = 0;
  virtual HRESULT SetSize(LONG nSize) = 0;
  virtual HRESULT ShowCtrBar(VARIANT_BOOL bShow) = 0;
  virtual HRESULT Stop() = 0;
  virtual HRESULT Pause() = 0;
  virtual HRESULT get_Volume(LONG* Value) = 0;
  virtual HRESULT put_Volume(LONG Value) = 0;
  virtual HRESULT SetUIStyle(LONG nUIStyle, LPSTR strThemeFile) = 0;
  virtual HRESULT UnInit() = 0;
  virtual HRESULT SetLangFile(LPSTR strLangFile) = 0;
  virtual HRESULT get_ShowCtrlBar(VARIANT_BOOL* Value) = 0;
  virtual HRESULT put_ShowCtrlBar(VARIANT_BOOL Value) = 0;
  virtual HRESULT get_LangFileName(BSTR* strFileName) = 0;
  virtual HRESULT put_LangFileName(BSTR strFileName) = 0;
  virtual HRESULT get_AppName(BSTR* Value) = 0;
  virtual HRESULT put_AppName(BSTR Value) = 0;
  virtual HRESULT get_AppURL(BSTR* Value) = 0;
  virtual HRESULT put_AppURL(BSTR Value) = 0;
};
