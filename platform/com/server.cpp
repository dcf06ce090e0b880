#include "platform/com/server.h"

#include <dlfcn.h>

#include <cstdio>

#include <QFileInfo>
#include <memory>

#include "platform/registry.h"

namespace qcom {
namespace {

// The automation marshaller every dual interface and dispinterface names.
constexpr const char* kAutomationProxy = "{00020424-0000-0000-C000-000000000046}";

void Anchor() {}

class Writer {
 public:
  void Set(const std::string& path, const std::string& name, const std::string& value) {
    if (failed_) return;
    auto key = qreg::Key::Open(qreg::Root::ClassesRoot, path);
    if (!key || !key->WriteString(name, value)) failed_ = true;
  }
  void Remove(const std::string& path) {
    if (!qreg::DeleteKey(qreg::Root::ClassesRoot, path)) failed_ = true;
  }
  HRESULT result() const { return failed_ ? E_ACCESSDENIED : S_OK; }

 private:
  bool failed_ = false;
};

std::string LcidText(LCID lcid) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%x", unsigned(lcid));
  return buf;
}

}  // namespace

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  return create_(iid, out);
}

HRESULT ClassFactory::LockServer(BOOL lock) {
  if (lock)
    ModuleAddRef();
  else
    ModuleRelease();
  return S_OK;
}

HRESULT GetClassObject(std::span<const ClassInfo> classes, REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (const ClassInfo& c : classes) {
    if (c.clsid != clsid) continue;
    try {
      return Make<ClassFactory>(c.create)->QueryInterface(iid, out);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CanUnloadNow() { return ModuleCount() == 0 ? S_OK : S_FALSE; }

std::string ModulePath() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&Anchor), &info) || !info.dli_fname) return {};
  return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath().toLocal8Bit().toStdString();
}

HRESULT RegisterServer(std::span<const ClassInfo> classes, const TypeLibInfo* typeLib) {
  const std::string path = ModulePath();
  if (path.empty()) return E_UNEXPECTED;
  Writer w;
  for (const ClassInfo& c : classes) {
    const std::string id = FormatGuid(c.clsid);
    const std::string key = "CLSID\\" + id;
    w.Set(key, "", c.name);
    w.Set(key + "\\InprocServer32", "", path);
    w.Set(key + "\\InprocServer32", "ThreadingModel", c.threadingModel);
    if (c.progId && *c.progId) {
      w.Set(key + "\\ProgID", "", c.progId);
      w.Set(c.progId, "", c.name);
      w.Set(std::string(c.progId) + "\\Clsid", "", id);
    }
    if (typeLib) {
      w.Set(key + "\\TypeLib", "", FormatGuid(typeLib->libid));
      w.Set(key + "\\Version", "", typeLib->version);
    }
    if (c.control) {
      w.Set(key + "\\Control", "", "");
      w.Set(key + "\\MiscStatus", "", "0");
      w.Set(key + "\\MiscStatus\\1", "", std::to_string(c.miscStatus));
      if (c.toolboxBitmap > 0) w.Set(key + "\\ToolboxBitmap32", "", path + "," + std::to_string(c.toolboxBitmap));
    }
  }
  if (typeLib) {
    const std::string lib = FormatGuid(typeLib->libid);
    const std::string key = "TypeLib\\" + lib + "\\" + typeLib->version;
    w.Set(key, "", typeLib->helpString);
    w.Set(key + "\\FLAGS", "", "0");
    w.Set(key + "\\HELPDIR", "", QFileInfo(QString::fromLocal8Bit(path.c_str())).path().toLocal8Bit().toStdString());
    w.Set(key + "\\" + LcidText(typeLib->lcid) + "\\win32", "", path);
    for (const InterfaceInfo& i : typeLib->interfaces) {
      const std::string ikey = "Interface\\" + FormatGuid(i.iid);
      w.Set(ikey, "", i.name);
      w.Set(ikey + "\\ProxyStubClsid32", "", kAutomationProxy);
      w.Set(ikey + "\\TypeLib", "", lib);
      w.Set(ikey + "\\TypeLib", "Version", typeLib->version);
    }
  }
  return w.result();
}

HRESULT UnregisterServer(std::span<const ClassInfo> classes, const TypeLibInfo* typeLib) {
  Writer w;
  for (const ClassInfo& c : classes) {
    w.Remove("CLSID\\" + FormatGuid(c.clsid));
    if (c.progId && *c.progId) w.Remove(c.progId);
  }
  if (typeLib) {
    w.Remove("TypeLib\\" + FormatGuid(typeLib->libid));
    for (const InterfaceInfo& i : typeLib->interfaces) w.Remove("Interface\\" + FormatGuid(i.iid));
  }
  return w.result();
}

}  // namespace qcom
