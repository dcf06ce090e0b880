#pragma once
// What a component module exports, and how it registers itself.
//
// A module lists its classes once and lets QCOM_MODULE write the four entry points
// (DllGetClassObject, DllCanUnloadNow, DllRegisterServer, DllUnregisterServer, with C
// linkage):
//
//   static const qcom::ClassInfo kClasses[] = {{
//       .clsid = CLSID_FormPlayer,
//       .create = &qcom::CreateObject<FormPlayer>,
//       .name = "FormPlayer Control",
//       .progId = "Corvane.FormPlayer",
//       .control = true,
//       .miscStatus = OLEMISC_ACTSLIKELABEL | OLEMISC_SIMPLEFRAME,
//       .toolboxBitmap = 1,
//   }};
//   static const qcom::InterfaceInfo kInterfaces[] = {{IFormPlayer::kIid, "IFormPlayer"},
//                                                     {DIID_IFormPlayerEvents, "IFormPlayerEvents"}};
//   static const qcom::TypeLibInfo kTypeLib = {LIBID_Corvane, "1.0", "Corvane Library", 1033, kInterfaces};
//   QCOM_MODULE(kClasses, &kTypeLib)
//
// Registration writes, under HKEY_CLASSES_ROOT (for module path P):
//   CLSID\{clsid}                    @ = name
//   CLSID\{clsid}\InprocServer32     @ = P, ThreadingModel = threadingModel
//   CLSID\{clsid}\ProgID             @ = progId;  progId @ = name, progId\Clsid @ = {clsid}
//   CLSID\{clsid}\TypeLib            @ = {libid}; CLSID\{clsid}\Version @ = version
//   for a control: CLSID\{clsid}\Control @ = "", MiscStatus @ = "0",
//                  MiscStatus\1 @ = miscStatus (decimal), ToolboxBitmap32 @ = "P,bitmap"
//   TypeLib\{libid}\version          @ = helpString, FLAGS @ = "0", HELPDIR @ = folder of P,
//                  and {lcid in hex}\win32 @ = P
//   Interface\{iid}                  @ = name, ProxyStubClsid32 @ = the automation
//                  marshaller, TypeLib @ = {libid} with Version = version
// Unregistration deletes those keys. A store that refuses a write gives E_ACCESSDENIED.
#include <span>
#include <string>

#include "platform/com/object.h"

namespace qcom {

struct ClassInfo {
  CLSID clsid;
  // Makes one instance answered as iid; &qcom::CreateObject<T> fits.
  HRESULT (*create)(REFIID iid, void** out);
  const char* name = "";
  const char* progId = nullptr;
  const char* threadingModel = "Apartment";
  bool control = false;
  DWORD miscStatus = 0;
  int toolboxBitmap = 0;
};

struct InterfaceInfo {
  IID iid;
  const char* name;
};

struct TypeLibInfo {
  GUID libid;
  const char* version = "1.0";
  const char* helpString = "";
  LCID lcid = 0;
  std::span<const InterfaceInfo> interfaces;
};

// The class factory for one entry of a module's class table.
class ClassFactory : public Object<IClassFactory> {
 public:
  explicit ClassFactory(HRESULT (*create)(REFIID, void**)) : create_(create) {}
  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  HRESULT LockServer(BOOL lock) override;

 private:
  HRESULT (*create_)(REFIID, void**);
};

// The bodies of the four entry points.
HRESULT GetClassObject(std::span<const ClassInfo> classes, REFCLSID clsid, REFIID iid, void** out);
HRESULT CanUnloadNow();
HRESULT RegisterServer(std::span<const ClassInfo> classes, const TypeLibInfo* typeLib);
HRESULT UnregisterServer(std::span<const ClassInfo> classes, const TypeLibInfo* typeLib);

// The full path of the module (or program) this copy of the runtime is linked into.
std::string ModulePath();

}  // namespace qcom

#define QCOM_EXPORT extern "C" __attribute__((visibility("default")))

#define QCOM_MODULE(CLASSES, TYPELIB)                                                                           \
  QCOM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {                               \
    return ::qcom::GetClassObject(CLASSES, clsid, iid, out);                                                    \
  }                                                                                                             \
  QCOM_EXPORT HRESULT DllCanUnloadNow() { return ::qcom::CanUnloadNow(); }                                      \
  QCOM_EXPORT HRESULT DllRegisterServer() { return ::qcom::RegisterServer(CLASSES, TYPELIB); }                 \
  QCOM_EXPORT HRESULT DllUnregisterServer() { return ::qcom::UnregisterServer(CLASSES, TYPELIB); }
