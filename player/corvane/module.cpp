// corvane.so: the component module of the player control, with its class, its type
// library, its entry points and its version.
#include "player/corvane/form_player_control.h"

namespace {

const qcom::ClassInfo kClasses[] = {{
    .clsid = CLSID_FormPlayer,
    .create = &qcom::CreateObject<corvane::FormPlayer>,
    .name = "FormPlayer Control",
    .progId = "Corvane.FormPlayer",
    .threadingModel = "Apartment",
    .control = true,
    .miscStatus = corvane::kMiscStatus,
    .toolboxBitmap = 1,
}};
const qcom::InterfaceInfo kInterfaces[] = {{IFormPlayer::kIid, "IFormPlayer"},
                                           {DIID_IFormPlayerEvents, "IFormPlayerEvents"}};
const qcom::TypeLibInfo kTypeLib = {LIBID_Corvane, "1.0", "Corvane Library", 1033, kInterfaces};

}  // namespace

// The version resource, in a section of its own that tools read from the file:
// "Name=Value" entries, each ended by a 0 byte. OleSelfRegister says that the module
// registers itself through DllRegisterServer.
[[gnu::used, gnu::section(".qversion")]] const char kVersionResource[] =
    "FileVersion=1.3.0.0\0"
    "ProductVersion=1.3.0.0\0"
    "OleSelfRegister=\0";

QCOM_MODULE(kClasses, &kTypeLib)
