#include "system/DdeHandles.h"

#include <cstring>

bool CDdeInstance::Initialize(PFNCALLBACK callback, DWORD flags) {
    if (m_bInitialized)
        return true;
    DWORD id = 0;
    if (DdeInitializeA(&id, callback, flags, 0) != DMLERR_NO_ERROR)
        return false;
    m_nId = id;
    m_bInitialized = true;
    return true;
}

void CDdeInstance::Reset() {
    if (!m_bInitialized)
        return;
    DdeUninitialize(m_nId);
    m_bInitialized = false;
    m_nId = 0;
}

bool CDdeDataHandle::ReadText(std::string& text) const {
    if (!m_hData)
        return false;
    DWORD size = 0;
    const char* data = reinterpret_cast<const char*>(DdeAccessData(m_hData, &size));
    if (!data)
        return false;
    // Given back however the copy ends: it may throw std::bad_alloc.
    struct Unaccess {
        HDDEDATA data;
        ~Unaccess() { DdeUnaccessData(data); }
    } unaccess{m_hData};
    const void* zero = std::memchr(data, '\0', size);
    size_t length = zero ? static_cast<size_t>(static_cast<const char*>(zero) - data) : size;
    text.assign(data, length);
    return true;
}
