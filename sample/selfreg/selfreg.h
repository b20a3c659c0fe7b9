// The sample product's self-registering library "shiftreg.dll": where its registration
// lives, so that setup's tests and the demo can see it.
#pragma once

// HKEY_CLASSES_ROOT\CLSID\{...}: default value = the component's name, "RegisteredFrom" =
// the current directory at the time of registration; subkey "InprocServer32" = the library's
// path with "ThreadingModel" "Apartment". DllUnregisterServer deletes the whole key.
#define SHIFTREG_CLSID "{62DAE4B4-502D-4788-A997-BD032DF83A6F}"
#define SHIFTREG_CLSID_KEY "CLSID\\" SHIFTREG_CLSID
#define SHIFTREG_NAME "Corvatek Shiftwell Sample Component"
