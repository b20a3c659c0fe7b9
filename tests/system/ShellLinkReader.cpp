#include "ShellLinkReader.h"

#include "system/ComInterface.h"

#include <windows.h>

#include <objbase.h>
#include <shlguid.h>
#include <shobjidl.h>

#include <cstdio>

namespace {

// The show command as the file stores it (header offset 0x3C): Wine's link object does not
// load it back.
int StoredShowCommand(const std::string& file) {
    unsigned char header[0x40] = {};
    FILE* stream = fopen(file.c_str(), "rb");
    if (!stream)
        return -1;
    size_t got = fread(header, 1, sizeof header, stream);
    fclose(stream);
    if (got != sizeof header)
        return -1;
    return header[0x3C] | header[0x3D] << 8 | header[0x3E] << 16 | header[0x3F] << 24;
}

} // namespace

ShellLinkContents ReadShellLink(const std::string& file) {
    ShellLinkContents contents;
    CoInitialize(nullptr);
    CComInterface<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.ReceiveVoid())))
        return contents;
    CComInterface<IPersistFile> persist;
    wchar_t wide[MAX_PATH] = L"";
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, persist.ReceiveVoid())) &&
        SUCCEEDED(persist->Load(wide, STGM_READ))) {
        char text[1024] = "";
        contents.loaded = true;
        link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
        contents.path = text;
        text[0] = 0;
        link->GetArguments(text, sizeof text);
        contents.arguments = text;
        text[0] = 0;
        link->GetDescription(text, sizeof text);
        contents.description = text;
        text[0] = 0;
        link->GetWorkingDirectory(text, sizeof text);
        contents.workingDir = text;
        text[0] = 0;
        link->GetIconLocation(text, sizeof text, &contents.iconIndex);
        contents.iconPath = text;
        contents.showCommand = StoredShowCommand(file);
    }
    return contents;
}
