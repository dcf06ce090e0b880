#include "platform/com/runtime.h"

#include <dlfcn.h>

#include <QFileInfo>
#include <memory>

#include "platform/registry.h"

namespace {

using GetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void**);
using CanUnloadNowFn = HRESULT (*)();

struct Module {
  std::string path;
  void* handle;
  GetClassObjectFn getClassObject;
  CanUnloadNowFn canUnloadNow;
};

// Kept for the life of the process; modules still loaded at exit stay mapped, since
// objects of theirs may still be referenced by static state of the host.
std::vector<Module>& Modules() {
  static auto* modules = new std::vector<Module>;
  return *modules;
}

std::string Canonical(const std::string& path) {
  const QFileInfo info(QString::fromLocal8Bit(path.c_str()));
  const QString canonical = info.canonicalFilePath();
  return (canonical.isEmpty() ? info.absoluteFilePath() : canonical).toLocal8Bit().toStdString();
}

HRESULT Load(const std::string& registered, Module** out) {
  const std::string path = Canonical(registered);
  for (Module& m : Modules())
    if (m.path == path) {
      *out = &m;
      return S_OK;
    }
  if (!QFileInfo(QString::fromLocal8Bit(path.c_str())).isFile()) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) return HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT);
  auto get = reinterpret_cast<GetClassObjectFn>(dlsym(handle, "DllGetClassObject"));
  if (!get) {
    dlclose(handle);
    return CO_E_ERRORINDLL;
  }
  auto canUnload = reinterpret_cast<CanUnloadNowFn>(dlsym(handle, "DllCanUnloadNow"));
  Modules().push_back({path, handle, get, canUnload});
  *out = &Modules().back();
  return S_OK;
}

}  // namespace

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!(context & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
  const std::string path = qcom::RegisteredModule(clsid);
  if (path.empty()) return REGDB_E_CLASSNOTREG;
  Module* module = nullptr;
  const HRESULT hr = Load(path, &module);
  if (FAILED(hr)) return hr;
  return module->getClassObject(clsid, iid, out);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  IClassFactory* factory = nullptr;
  HRESULT hr = CoGetClassObject(clsid, context, IClassFactory::kIid, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  if (!factory) return E_UNEXPECTED;
  hr = factory->CreateInstance(outer, iid, out);
  factory->Release();
  return hr;
}

void CoFreeUnusedLibraries() {
  auto& modules = Modules();
  for (auto it = modules.begin(); it != modules.end();) {
    // A module without DllCanUnloadNow cannot say it is unused, so it stays.
    if (it->canUnloadNow && it->canUnloadNow() == S_OK) {
      dlclose(it->handle);
      it = modules.erase(it);
    } else {
      ++it;
    }
  }
}

namespace qcom {

std::string RegisteredModule(REFCLSID clsid) {
  auto key = qreg::Key::Open(qreg::Root::ClassesRoot, "CLSID\\" + FormatGuid(clsid) + "\\InprocServer32");
  return key ? key->ReadString("") : std::string();
}

std::vector<std::string> LoadedModules() {
  std::vector<std::string> paths;
  for (const Module& m : Modules()) paths.push_back(m.path);
  return paths;
}

}  // namespace qcom
