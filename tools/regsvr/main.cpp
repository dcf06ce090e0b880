// regsvr MODULE / regsvr -u MODULE: a component module registers or unregisters its
// classes by its own DllRegisterServer / DllUnregisterServer.
#include <dlfcn.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/com/hresult.h"

namespace {

// Exit codes: what went wrong, so scripts can tell.
enum Exit { kOk = 0, kUsage = 1, kLoadFailed = 3, kNoEntryPoint = 4, kCallFailed = 5 };

int Usage() {
  std::fprintf(stderr, "Usage: regsvr [-u] MODULE\n  registers MODULE, or with -u unregisters it\n");
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  bool unregister = false;
  const char* module = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-u") == 0 && !unregister)
      unregister = true;
    else if (argv[i][0] != '-' && !module)
      module = argv[i];
    else
      return Usage();
  }
  if (!module) return Usage();

  const QFileInfo info(QString::fromLocal8Bit(module));
  const std::string path = info.absoluteFilePath().toLocal8Bit().toStdString();
  const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  if (!info.isFile()) {
    std::fprintf(stderr, "The module \"%s\" failed to load.\n%s\n", module,
                 qcom::ErrorText(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND)).c_str());
    return kLoadFailed;
  }
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    std::fprintf(stderr, "The module \"%s\" failed to load.\n%s\n", module, dlerror());
    return kLoadFailed;
  }
  auto call = reinterpret_cast<HRESULT (*)()>(dlsym(handle, entry));
  if (!call) {
    std::fprintf(stderr, "The module \"%s\" was loaded, but the entry-point %s was not found.\n", module, entry);
    dlclose(handle);
    return kNoEntryPoint;
  }
  const HRESULT hr = call();
  dlclose(handle);
  if (FAILED(hr)) {
    std::fprintf(stderr, "The module \"%s\" was loaded, but the call to %s failed with error code 0x%08X.\n%s\n",
                 module, entry, unsigned(hr), qcom::ErrorText(hr).c_str());
    return kCallFailed;
  }
  std::printf("%s in %s succeeded.\n", entry, module);
  return kOk;
}
