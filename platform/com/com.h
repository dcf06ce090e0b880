#pragma once
// The component runtime in one include. See object.h (reference counting),
// dispatch.h (member tables), connection.h (events), server.h (module entry points
// and registration), runtime.h (CoCreateInstance), control.h (a control's side of
// hosting), host.h (a host's side).
#include "platform/com/bstr.h"
#include "platform/com/connection.h"
#include "platform/com/control.h"
#include "platform/com/dispatch.h"
#include "platform/com/guid.h"
#include "platform/com/host.h"
#include "platform/com/hresult.h"
#include "platform/com/interfaces.h"
#include "platform/com/object.h"
#include "platform/com/ptr.h"
#include "platform/com/runtime.h"
#include "platform/com/server.h"
#include "platform/com/stream.h"
#include "platform/com/types.h"
#include "platform/com/variant.h"
