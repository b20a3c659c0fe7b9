// Thrown when the setup profile (or the install log read in its place) cannot describe an
// installation: cause 0 for a missing or empty "destinations" section, cause 1 for a
// destination tree that does not resolve. Shown as "Incomplete or missing profile.".
#pragma once

#include "errors/XException.h"

SHIFTWELL_DECLARE_XEXCEPTION(CInstallProfileException);

enum InstallProfileCause : int32_t {
    kProfileMissing = 0,
    kProfileUnresolved = 1,
};
