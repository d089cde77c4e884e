// The three functions through which the host creates and destroys ships and asks the module's
// version.
#include <cstring>
#include <new>

#include "host/HostApi.h"
#include "host/Platform.h"
#include "vessel/Quillmar.h"

namespace {

// The date the module's version number is made from.
constexpr char kVersionDate[] = "Apr 25 2006";

// 0 until first computed.
int moduleVersion = 0;

}  // namespace

QM_EXPORT VESSEL* ovcInit(OBJHANDLE hVessel, int flightModel) {
    return new (std::nothrow) quillmar::Quillmar(hVessel, flightModel);
}

// VESSEL has no virtual destructor: the object is deleted as what ovcInit made.
QM_EXPORT void ovcExit(VESSEL* vessel) { delete static_cast<quillmar::Quillmar*>(vessel); }

QM_EXPORT int GetModuleVersion() {
    if (moduleVersion == 0) {
        char date[sizeof kVersionDate];  // the host takes the text as writable
        std::memcpy(date, kVersionDate, sizeof date);
        moduleVersion = Date2Int(date);
    }
    return moduleVersion;
}
