// A module that registers but has no DllGetClassObject.
#include "platform/com/server.h"

QCOM_EXPORT HRESULT DllCanUnloadNow() { return S_OK; }
