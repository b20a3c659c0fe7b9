#include "uninstall/SharedFileCount.h"

#include "system/RegistryDword.h"

uint32_t ReleaseSharedFile(const CSetupPath& file) {
    const std::string& name = file.GetText();
    CRegistryDword count(HKEY_LOCAL_MACHINE, kSharedDllsKey, name, 0, false, false);
    if (!count.Read(0))
        return 0;
    if (count.GetValue() > 1) {
        count.SetValue(count.GetValue() - 1);
        count.Write();
        return count.GetValue();
    }
    count.DeleteValue(name);
    return 0;
}
