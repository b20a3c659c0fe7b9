// "shiftreg.dll": registers a sample component class under HKEY_CLASSES_ROOT and removes it
// again. Its registration is the visible mark that setup called it.
#include "selfreg.h"

#include <windows.h>

#include <olectl.h>

#include <string>
#include <vector>

namespace {

HMODULE g_module = nullptr;

std::string ModulePath() {
    std::vector<char> buffer(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(g_module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return std::string();
        if (n < buffer.size())
            return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::string CurrentDirectory() {
    DWORD needed = GetCurrentDirectoryA(0, nullptr);
    std::vector<char> buffer(needed + 1, '\0');
    DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    return n && n < buffer.size() ? std::string(buffer.data(), n) : std::string();
}

bool SetText(const char* subkey, const char* name, const std::string& text) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, subkey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        g_module = instance;
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
    const std::string path = ModulePath();
    const char* server = SHIFTREG_CLSID_KEY "\\InprocServer32";
    bool ok = !path.empty() && SetText(SHIFTREG_CLSID_KEY, nullptr, SHIFTREG_NAME) &&
              SetText(SHIFTREG_CLSID_KEY, "RegisteredFrom", CurrentDirectory()) &&
              SetText(server, nullptr, path) && SetText(server, "ThreadingModel", "Apartment");
    return ok ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
    RegDeleteKeyA(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY "\\InprocServer32");
    LONG rc = RegDeleteKeyA(HKEY_CLASSES_ROOT, SHIFTREG_CLSID_KEY);
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
