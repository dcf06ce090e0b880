#pragma once
// TFormPlayer: the program's host of one Corvane player control. The widget stands
// where the control shows in its window; the control itself lives in corvane.so and
// is reached only by its class id, through the component runtime.
//
//   auto* FormPlayer = new TFormPlayer(this);            // throws "Class not registered"
//   FormPlayer->setObjectName("FormPlayer");
//   FormPlayer->SetOnError(std::bind_front(&TfrmPlay::FormPlayerError, this));
//   FormPlayer->SetLangFileName(file);                   // first use: the control starts
//   FormPlayer->Activate();                              // its form is now a child here
//   FormPlayer->StartPlay(pItem->strLocation);
//
// Creation (the constructor) makes the control and sites it. The control is bound at
// the first property access, method call or activation, whichever comes first: the
// stored initial state goes in, the sinks connect, and the control raises OnCreate and
// sets itself up. Bind the handlers before that, or their first events are missed.
// Activation puts the control's form into this widget, filling it; showing the widget
// activates it too when nobody did.
//
// Methods go through the IFormPlayer vtable and drop the control's result. Properties
// go through IDispatch by dispid; a failed one throws qcom::ComError with the
// control's description. Events reach the handler slots as typed calls with this
// widget as the sender; a BSTR argument is the control's, valid for the call only
// (copy it, never free it; null is the empty text). A handler runs inside the
// control's call: it must not destroy this widget, and what it throws goes to the
// default error report.
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "player/corvane/corvane_tlb.h"

namespace qcontrol {

// What the host knows of the control before it exists.
struct ControlData {
  CLSID classId;
  IID eventIid;
  // The events the host has handler slots for, by dispid in slot order.
  std::span<const DISPID> eventDispIds;
  // The interface methods are called through.
  IID defaultInterface;
};

}  // namespace qcontrol

class TFormPlayer : public QWidget {
  Q_OBJECT

 public:
  // Handler types; Sender is this widget.
  using TNotifyEvent = std::function<void(QObject* Sender)>;
  using TFormPlayerOnKeyPress = std::function<void(QObject* Sender, SHORT* Key)>;
  using TFormPlayerOnError = std::function<void(QObject* Sender, LONG nErrorID, BSTR strErrorStr)>;
  using TFormPlayerOnChangeMsg = std::function<void(QObject* Sender, BSTR strMsg)>;
  using TFormPlayerOnScreenSize = std::function<void(QObject* Sender, int nX, int nY)>;

  // The control description: FormPlayer's class id, IFormPlayerEvents and the event
  // dispids 1, 2, 3, 5, 6, 7, 11, 16, 9, 4, 8, 10 for the slots OnActivate, OnClick,
  // OnCreate, OnDblClick, OnDestroy, OnDeactivate, OnKeyPress, OnPaint, OnError,
  // OnChangeMsg, OnScreenSize, OnScreenC; IFormPlayer as the default interface.
  static const qcontrol::ControlData& InitControlData();
  // The control's state as the player window keeps it: position 0, 20, size 408 x 287
  // (this widget's own geometry), hour-glass cursor, active control imgbtnRight, no
  // border, caption "FormPlayer", button-face colour, font "MS Sans Serif" of height
  // -11, 96 pixels per inch.
  static qcom::PropertyList StoredState();

  // Creates the control (CoCreateInstance, in-process or local server) and gives it
  // this widget's client site; throws qcom::ComError with the system's text when that
  // fails ("Class not registered"), and nothing of the widget stays behind.
  explicit TFormPlayer(QWidget* owner, qcom::PropertyList state = StoredState());
  ~TFormPlayer() override;

  // In-place activation inside this widget, binding the control first when needed.
  // Throws qcom::ComError ("OLE control activation failed", or the binding's failure).
  void Activate();
  // The control's form while it is active here; null before.
  QWidget* ControlWidget() const;

  // Methods; the control's result is dropped. Texts go as 8-bit character pointers,
  // an empty text as a pointer to "", never null; true goes as 1. Each binds the
  // control first when needed and throws qcom::ComError when that fails, or when the
  // control does not answer IFormPlayer.
  void StartPlay(const std::string& strSrc);
  void Stop();
  void Mute(bool bMute);
  // 1 normal size, 2 double size, 3 full screen, 4 fit window.
  void SetSize(LONG nSize);
  void ShowCtrBar(bool bShow);
  void Pause();
  // nUIStyle: the ordinal of the skin's UI style; strThemeFile: its theme file or "".
  void SetUIStyle(LONG nUIStyle, const std::string& strThemeFile);
  void UnInit();
  void SetLangFile(const std::string& strLangFile);

  // Properties by dispid; a failure throws qcom::ComError with the control's
  // description.
  LONG Volume() const;
  void SetVolume(LONG nVolume);
  bool ShowCtrlBar() const;
  void SetShowCtrlBar(bool bShow);
  std::string LangFileName() const;
  void SetLangFileName(const std::string& strFileName);
  std::string AppName() const;
  void SetAppName(const std::string& strName);
  std::string AppURL() const;
  void SetAppURL(const std::string& strURL);

  // Handler properties, one per slot; an empty function leaves the slot unbound.
  const TNotifyEvent& OnActivate() const { return Slot<TNotifyEvent>(kOnActivate); }
  void SetOnActivate(TNotifyEvent h) { slots_[kOnActivate] = std::move(h); }
  const TNotifyEvent& OnClick() const { return Slot<TNotifyEvent>(kOnClick); }
  void SetOnClick(TNotifyEvent h) { slots_[kOnClick] = std::move(h); }
  const TNotifyEvent& OnCreate() const { return Slot<TNotifyEvent>(kOnCreate); }
  void SetOnCreate(TNotifyEvent h) { slots_[kOnCreate] = std::move(h); }
  const TNotifyEvent& OnDblClick() const { return Slot<TNotifyEvent>(kOnDblClick); }
  void SetOnDblClick(TNotifyEvent h) { slots_[kOnDblClick] = std::move(h); }
  const TNotifyEvent& OnDestroy() const { return Slot<TNotifyEvent>(kOnDestroy); }
  void SetOnDestroy(TNotifyEvent h) { slots_[kOnDestroy] = std::move(h); }
  const TNotifyEvent& OnDeactivate() const { return Slot<TNotifyEvent>(kOnDeactivate); }
  void SetOnDeactivate(TNotifyEvent h) { slots_[kOnDeactivate] = std::move(h); }
  // The key the handler leaves in *Key replaces the one pressed; 0 drops it.
  const TFormPlayerOnKeyPress& OnKeyPress() const { return Slot<TFormPlayerOnKeyPress>(kOnKeyPress); }
  void SetOnKeyPress(TFormPlayerOnKeyPress h) { slots_[kOnKeyPress] = std::move(h); }
  const TNotifyEvent& OnPaint() const { return Slot<TNotifyEvent>(kOnPaint); }
  void SetOnPaint(TNotifyEvent h) { slots_[kOnPaint] = std::move(h); }
  const TFormPlayerOnError& OnError() const { return Slot<TFormPlayerOnError>(kOnError); }
  void SetOnError(TFormPlayerOnError h) { slots_[kOnError] = std::move(h); }
  const TFormPlayerOnChangeMsg& OnChangeMsg() const { return Slot<TFormPlayerOnChangeMsg>(kOnChangeMsg); }
  void SetOnChangeMsg(TFormPlayerOnChangeMsg h) { slots_[kOnChangeMsg] = std::move(h); }
  const TFormPlayerOnScreenSize& OnScreenSize() const { return Slot<TFormPlayerOnScreenSize>(kOnScreenSize); }
  void SetOnScreenSize(TFormPlayerOnScreenSize h) { slots_[kOnScreenSize] = std::move(h); }
  const TNotifyEvent& OnScreenC() const { return Slot<TNotifyEvent>(kOnScreenC); }
  void SetOnScreenC(TNotifyEvent h) { slots_[kOnScreenC] = std::move(h); }

 signals:
  // A standard mouse or keyboard event of the control (dispids -607 to -600), left to
  // the widget's own handling; it never reaches a handler slot.
  void StandardEvent(int dispid);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Slots in the order of the event dispid table.
  enum SlotIndex {
    kOnActivate,
    kOnClick,
    kOnCreate,
    kOnDblClick,
    kOnDestroy,
    kOnDeactivate,
    kOnKeyPress,
    kOnPaint,
    kOnError,
    kOnChangeMsg,
    kOnScreenSize,
    kOnScreenC,
    kSlotCount,
  };
  using Handler = std::variant<TNotifyEvent, TFormPlayerOnKeyPress, TFormPlayerOnError, TFormPlayerOnChangeMsg,
                               TFormPlayerOnScreenSize>;

  template <class H>
  const H& Slot(SlotIndex i) const {
    return std::get<H>(slots_[i]);
  }
  // The control, bound on first use.
  qcom::ControlHost& Bound() const;
  // The cached IFormPlayer, taken on the first method call; a counted reference.
  qcom::ComPtr<IFormPlayer> GetDefaultInterface();
  // An event from the control's connection point.
  void Deliver(DISPID id, const qcom::DispArgs& args);

  qcom::PropertyList state_;
  std::array<Handler, kSlotCount> slots_;
  std::unique_ptr<qcom::ControlHost> host_;
  qcom::ComPtr<IFormPlayer> intf_;
  mutable bool bound_ = false;
  mutable std::optional<qcom::ComError> bindFailure_;
};
