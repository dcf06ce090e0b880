#pragma once
// Creating objects by class id. HKEY_CLASSES_ROOT\CLSID\{clsid}\InprocServer32 names
// the module; it is loaded once and kept until CoFreeUnusedLibraries finds that its
// DllCanUnloadNow allows the unload. GUI thread only, like the rest of the runtime.
#include <string>
#include <vector>

#include "platform/com/interfaces.h"

constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;

// Failures, never a crash: REGDB_E_CLASSNOTREG when the class id has no module (or the
// context does not allow an in-process one), HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)
// when the module file is missing, HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT) when it
// cannot be loaded, CO_E_ERRORINDLL when it lacks DllGetClassObject, else what the
// module answers (CLASS_E_CLASSNOTAVAILABLE, CLASS_E_NOAGGREGATION, E_NOINTERFACE, ...).
HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, REFIID iid, void** out);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** out);
// Unloads every module whose DllCanUnloadNow answers S_OK. Call it when no code of a
// module can be on the stack (from an idle point of the host, never from an event).
void CoFreeUnusedLibraries();

namespace qcom {

// The module path a class id is registered with ("" when none).
std::string RegisteredModule(REFCLSID clsid);
// The modules this runtime holds loaded, by the path they were loaded from.
std::vector<std::string> LoadedModules();

}  // namespace qcom
