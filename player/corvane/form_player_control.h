#pragma once
// FormPlayer, the coclass of Corvane: one control instance holds one player form and
// publishes it through IFormPlayer. The standard members read and write the form's
// properties; the custom members drive playback, the control bar, the skin, the
// language and the brand; the form's reports and its own events reach the host
// through IFormPlayerEvents. When the first change of the event sink connects one,
// the control raises OnCreate and sets the form up; later changes raise nothing.
//
// Every member catches what fails inside it and answers a failed code; through
// IDispatch the failure's text comes with it as the description. The control stays
// usable either way.
#include <QPointer>
#include <span>
#include <string>

#include "player/corvane/control_form.h"
#include "player/corvane/corvane_tlb.h"

namespace corvane {

// Registered as the control's miscellaneous status: acts like a label, simple frame.
inline constexpr DWORD kMiscStatus = OLEMISC_ACTSLIKELABEL | OLEMISC_SIMPLEFRAME;

class FormPlayer final : public qcom::Control<FormPlayer, IFormPlayer>, private FormPlayerEvents {
 public:
  FormPlayer();
  ~FormPlayer() override;
  static std::span<const qcom::Member<FormPlayer>> Members();

  // IOleObject: in-place activation keeps a control that was made invisible hidden.
  HRESULT DoVerb(LONG verb, IOleClientSite* activeSite, QWidget* parent, const RECT* pos) override;

  // IFormPlayer, standard members.
  HRESULT get_Visible(VARIANT_BOOL* Value) override;
  HRESULT put_Visible(VARIANT_BOOL Value) override;
  HRESULT get_AutoScroll(VARIANT_BOOL* Value) override;
  HRESULT put_AutoScroll(VARIANT_BOOL Value) override;
  HRESULT get_AutoSize(VARIANT_BOOL* Value) override;
  HRESULT put_AutoSize(VARIANT_BOOL Value) override;
  HRESULT get_AxBorderStyle(TxActiveFormBorderStyle* Value) override;
  HRESULT put_AxBorderStyle(TxActiveFormBorderStyle Value) override;
  HRESULT get_Caption(BSTR* Value) override;
  HRESULT put_Caption(BSTR Value) override;
  HRESULT get_Color(OLE_COLOR* Value) override;
  HRESULT put_Color(OLE_COLOR Value) override;
  HRESULT get_Font(IFontDisp** Value) override;
  HRESULT put_Font(IFontDisp* Value) override;
  HRESULT putref_Font(IFontDisp** Value) override;
  HRESULT get_KeyPreview(VARIANT_BOOL* Value) override;
  HRESULT put_KeyPreview(VARIANT_BOOL Value) override;
  HRESULT get_PixelsPerInch(LONG* Value) override;
  HRESULT put_PixelsPerInch(LONG Value) override;
  HRESULT get_PrintScale(TxPrintScale* Value) override;
  HRESULT put_PrintScale(TxPrintScale Value) override;
  HRESULT get_Scaled(VARIANT_BOOL* Value) override;
  HRESULT put_Scaled(VARIANT_BOOL Value) override;
  HRESULT get_Active(VARIANT_BOOL* Value) override;
  HRESULT get_DropTarget(VARIANT_BOOL* Value) override;
  HRESULT put_DropTarget(VARIANT_BOOL Value) override;
  HRESULT get_HelpFile(BSTR* Value) override;
  HRESULT put_HelpFile(BSTR Value) override;
  HRESULT get_DoubleBuffered(VARIANT_BOOL* Value) override;
  HRESULT put_DoubleBuffered(VARIANT_BOOL Value) override;
  HRESULT get_AlignDisabled(VARIANT_BOOL* Value) override;
  HRESULT get_VisibleDockClientCount(LONG* Value) override;
  HRESULT get_Enabled(VARIANT_BOOL* Value) override;
  HRESULT put_Enabled(VARIANT_BOOL Value) override;
  HRESULT get_Cursor(SHORT* Value) override;
  HRESULT put_Cursor(SHORT Value) override;
  HRESULT get_HelpType(TxHelpType* Value) override;
  HRESULT put_HelpType(TxHelpType Value) override;
  HRESULT get_HelpKeyword(BSTR* Value) override;
  HRESULT put_HelpKeyword(BSTR Value) override;

  // IFormPlayer, custom members.
  HRESULT StartPlay(LPSTR strSrc) override;
  HRESULT Mute(VARIANT_BOOL bMute) override;
  HRESULT SetSize(LONG nSize) override;
  HRESULT ShowCtrBar(VARIANT_BOOL bShow) override;
  HRESULT Stop() override;
  HRESULT Pause() override;
  HRESULT get_Volume(LONG* Value) override;
  HRESULT put_Volume(LONG Value) override;
  HRESULT SetUIStyle(LONG nUIStyle, LPSTR strThemeFile) override;
  HRESULT UnInit() override;
  HRESULT SetLangFile(LPSTR strLangFile) override;
  HRESULT get_ShowCtrlBar(VARIANT_BOOL* Value) override;
  HRESULT put_ShowCtrlBar(VARIANT_BOOL Value) override;
  HRESULT get_LangFileName(BSTR* strFileName) override;
  HRESULT put_LangFileName(BSTR strFileName) override;
  HRESULT get_AppName(BSTR* Value) override;
  HRESULT put_AppName(BSTR Value) override;
  HRESULT get_AppURL(BSTR* Value) override;
  HRESULT put_AppURL(BSTR Value) override;

 protected:
  // The stored initial state: Width, Height, Cursor, ActiveControl, AxBorderStyle,
  // Caption, Color, Font.Name, Font.Height (negative: the character height in
  // pixels) and PixelsPerInch; other names are the host's own and are skipped.
  HRESULT LoadState(const qcom::PropertyList& state) override;

 private:
  // FormPlayerEvents: the form's reports, raised as events.
  void OnChangeMsg(const std::string& msg) override;
  void OnError(int errorId, const std::string& errorText) override;
  void OnScreenSize(int x, int y) override;

  void SinkChanged(IUnknown* sink);
  // The form; throws when it is gone.
  ControlForm& Form() const;

  // The members as the form does them; each throws what fails.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool on) { autoScroll_ = on; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on) { autoSize_ = on; }
  LONG AxBorderStyle() const { return axBorderStyle_; }
  void SetAxBorderStyle(LONG style);
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  LONG Color() const { return LONG(color_); }
  void SetColor(LONG color);
  void SetFont(IDispatch* font);
  bool KeyPreview() const;
  void SetKeyPreview(bool on);
  LONG PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(LONG ppi);
  LONG PrintScale() const { return printScale_; }
  void SetPrintScale(LONG scale);
  bool Scaled() const { return scaled_; }
  void SetScaled(bool on) { scaled_ = on; }
  bool Active() const;
  bool DropTarget() const { return dropTarget_; }
  void SetDropTarget(bool on) { dropTarget_ = on; }
  std::string HelpFile() const { return helpFile_; }
  void SetHelpFile(const std::string& file) { helpFile_ = file; }
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool on) { doubleBuffered_ = on; }
  // The form aligns its parts itself and docks nothing.
  bool AlignDisabled() const { return false; }
  LONG VisibleDockClientCount() const { return 0; }
  bool Enabled() const;
  void SetEnabled(bool on);
  LONG Cursor() const { return cursor_; }
  void SetCursor(LONG cursor);
  LONG HelpType() const { return helpType_; }
  void SetHelpType(LONG type);
  std::string HelpKeyword() const { return helpKeyword_; }
  void SetHelpKeyword(const std::string& keyword) { helpKeyword_ = keyword; }

  void DoStartPlay(const std::string& source);
  void DoMute(bool mute);
  void DoSetSize(LONG size);
  void DoShowCtrBar(bool show);
  void DoStop();
  void DoPause();
  LONG Volume() const;
  void SetVolume(LONG volume);
  void DoSetUIStyle(LONG style, const std::string& themeFile);
  void DoUnInit();
  void DoSetLangFile(const std::string& file);
  bool ShowCtrlBar() const;
  void SetShowCtrlBar(bool show);
  std::string LangFileName() const;
  void SetLangFileName(const std::string& file);
  std::string AppName() const { return appName_; }
  void SetAppName(const std::string& name);
  std::string AppURL() const { return appURL_; }
  void SetAppURL(const std::string& url);

  // The first steps of a language file: load and translate, post the brand's
  // caption, take the brand's link from the file.
  void ApplyLangFile(const std::string& file);
  // A brand name and link given by the host replace the file's, when both are set.
  void ApplyBrand();

  QPointer<ControlForm> form_;
  bool sinkChanged_ = false;
  std::string appName_;
  std::string appURL_;

  bool visible_ = true;
  bool autoScroll_ = false;
  bool autoSize_ = false;
  LONG axBorderStyle_ = afbSingle;
  OLE_COLOR color_ = clBtnFace;
  LONG pixelsPerInch_ = 96;
  LONG printScale_ = poProportional;
  bool scaled_ = true;
  bool dropTarget_ = false;
  std::string helpFile_;
  bool doubleBuffered_ = false;
  LONG cursor_ = 0;
  LONG helpType_ = htContext;
  std::string helpKeyword_;
};

}  // namespace corvane
