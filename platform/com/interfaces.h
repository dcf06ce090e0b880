#pragma once
// The interfaces of the component runtime. Each declares its id (kIid) and its base
// (Base), which the QueryInterface of qcom::Object walks. Layouts are this system's
// own: every module and host is built by the same compiler, and a method is a virtual
// slot in declaration order after those of its base.
//
// Apartment: every interface here is called on the GUI thread only. No call from any
// other thread is needed or allowed (the BSTR functions alone are thread-safe).
#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/variant.h"

class QWidget;
struct ITypeInfo;

// Declares an interface's id and base inside its body.
#define QCOM_INTERFACE(BASE, IID_TEXT) \
  using Base = BASE;                   \
  static constexpr GUID kIid = ::qcom::Guid(IID_TEXT)

struct IUnknown {
  QCOM_INTERFACE(void, "{00000000-0000-0000-C000-000000000046}");
  virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
};

struct IClassFactory : IUnknown {
  QCOM_INTERFACE(IUnknown, "{00000001-0000-0000-C000-000000000046}");
  // outer must be null: no class of this system supports aggregation.
  virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) = 0;
  // Keeps the module loaded while locked.
  virtual HRESULT LockServer(BOOL lock) = 0;
};

struct IDispatch : IUnknown {
  QCOM_INTERFACE(IUnknown, "{00020400-0000-0000-C000-000000000046}");
  // The names come from the object's member table; there is no ITypeInfo object
  // (count 0, GetTypeInfo E_NOTIMPL).
  virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
  virtual HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) = 0;
  virtual HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) = 0;
  virtual HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* excep, UINT* argErr) = 0;
};

struct IConnectionPointContainer;

struct IConnectionPoint : IUnknown {
  QCOM_INTERFACE(IUnknown, "{B196B286-BAB4-101A-B69C-00AA00341D07}");
  virtual HRESULT GetConnectionInterface(IID* out) = 0;
  virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** out) = 0;
  // The point asks sink for its interface and keeps that; the cookie names the
  // connection for Unadvise.
  virtual HRESULT Advise(IUnknown* sink, DWORD* cookie) = 0;
  virtual HRESULT Unadvise(DWORD cookie) = 0;
};

struct IConnectionPointContainer : IUnknown {
  QCOM_INTERFACE(IUnknown, "{B196B284-BAB4-101A-B69C-00AA00341D07}");
  virtual HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** out) = 0;
};

// A host's sink for a control's property changes.
struct IPropertyNotifySink : IUnknown {
  QCOM_INTERFACE(IUnknown, "{9BFBBC02-EFF1-101A-84ED-00AA00341D07}");
  virtual HRESULT OnChanged(DISPID id) = 0;
  // S_OK lets the control change the property, S_FALSE refuses.
  virtual HRESULT OnRequestEdit(DISPID id) = 0;
};

// Bytes in sequence: the carrier of a control's stored initial state (stream.h).
struct IStream : IUnknown {
  QCOM_INTERFACE(IUnknown, "{0000000C-0000-0000-C000-000000000046}");
  // Reads up to size bytes; *read (when given) gets the count, 0 at the end.
  virtual HRESULT Read(void* data, ULONG size, ULONG* read) = 0;
  virtual HRESULT Write(const void* data, ULONG size, ULONG* written) = 0;
};

struct IPersist : IUnknown {
  QCOM_INTERFACE(IUnknown, "{0000010C-0000-0000-C000-000000000046}");
  virtual HRESULT GetClassID(CLSID* out) = 0;
};

struct IPersistStreamInit : IPersist {
  QCOM_INTERFACE(IPersist, "{7FD52380-4E07-101B-AE2D-08002B2EC713}");
  // Loads the stored initial state; InitNew starts from the control's defaults.
  virtual HRESULT Load(IStream* stream) = 0;
  virtual HRESULT InitNew() = 0;
};

// The host's side of one embedded control.
struct IOleClientSite : IUnknown {
  QCOM_INTERFACE(IUnknown, "{00000118-0000-0000-C000-000000000046}");
  // The control asks to be shown: it has just been activated in place.
  virtual HRESULT ShowObject() = 0;
};

constexpr LONG OLEIVERB_PRIMARY = 0;
constexpr LONG OLEIVERB_SHOW = -1;
constexpr LONG OLEIVERB_HIDE = -3;
constexpr LONG OLEIVERB_INPLACEACTIVATE = -5;

constexpr DWORD OLECLOSE_SAVEIFDIRTY = 0;
constexpr DWORD OLECLOSE_NOSAVE = 1;

constexpr DWORD DVASPECT_CONTENT = 1;

constexpr DWORD OLEMISC_ACTSLIKELABEL = 0x2000;
constexpr DWORD OLEMISC_SIMPLEFRAME = 0x10000;

struct IOleObject : IUnknown {
  QCOM_INTERFACE(IUnknown, "{00000112-0000-0000-C000-000000000046}");
  virtual HRESULT SetClientSite(IOleClientSite* site) = 0;
  virtual HRESULT GetClientSite(IOleClientSite** out) = 0;
  // Deactivates the control and takes its widget back out of the host's window.
  virtual HRESULT Close(DWORD saveOption) = 0;
  // OLEIVERB_INPLACEACTIVATE (and SHOW, PRIMARY): the control's widget becomes a child
  // of parent at pos and is shown; the host then reaches the widget through
  // IOleInPlaceObject::GetWindow. OLEIVERB_HIDE hides it.
  virtual HRESULT DoVerb(LONG verb, IOleClientSite* activeSite, QWidget* parent, const RECT* pos) = 0;
  virtual HRESULT GetMiscStatus(DWORD aspect, DWORD* status) = 0;
};

// Answered by a control that is active in place.
struct IOleInPlaceObject : IUnknown {
  QCOM_INTERFACE(IUnknown, "{00000113-0000-0000-C000-000000000046}");
  // The control's widget; it stays the control's, the host only parents it.
  virtual HRESULT GetWindow(QWidget** out) = 0;
  virtual HRESULT InPlaceDeactivate() = 0;
  virtual HRESULT SetObjectRects(const RECT* pos) = 0;
};

struct IOleControl : IUnknown {
  QCOM_INTERFACE(IUnknown, "{B196B288-BAB4-101A-B69C-00AA00341D07}");
  // DISPID_UNKNOWN: all ambient properties may have changed.
  virtual HRESULT OnAmbientPropertyChange(DISPID id) = 0;
};
