// Owners of the DDE management library's handles: the instance, string handles and data
// handles. Each releases its handle when destroyed; none throws. Win32 only.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include <string>

// One DdeInitialize'd instance of the calling thread; DdeUninitialize when destroyed.
class CDdeInstance {
public:
    CDdeInstance() = default;
    CDdeInstance(const CDdeInstance&) = delete;
    CDdeInstance& operator=(const CDdeInstance&) = delete;
    ~CDdeInstance() { Reset(); }

    // DdeInitializeA with the callback and flags given; false when the library refuses.
    bool Initialize(PFNCALLBACK callback, DWORD flags);
    void Reset();
    bool IsInitialized() const { return m_bInitialized; }
    DWORD GetId() const { return m_nId; }

private:
    bool m_bInitialized = false;
    DWORD m_nId = 0;
};

// A string handle (CP_WINANSI) of one instance; DdeFreeStringHandle when destroyed.
class CDdeStringHandle {
public:
    CDdeStringHandle(DWORD instance, const std::string& text)
        : m_nInstance(instance),
          m_hString(DdeCreateStringHandleA(instance, text.c_str(), CP_WINANSI)) {}
    CDdeStringHandle(const CDdeStringHandle&) = delete;
    CDdeStringHandle& operator=(const CDdeStringHandle&) = delete;
    ~CDdeStringHandle() {
        if (m_hString)
            DdeFreeStringHandle(m_nInstance, m_hString);
    }

    HSZ Get() const { return m_hString; }
    explicit operator bool() const { return m_hString != nullptr; }

private:
    DWORD m_nInstance;
    HSZ m_hString;
};

// A data handle received from a transaction; DdeFreeDataHandle when destroyed.
class CDdeDataHandle {
public:
    explicit CDdeDataHandle(HDDEDATA data) : m_hData(data) {}
    CDdeDataHandle(const CDdeDataHandle&) = delete;
    CDdeDataHandle& operator=(const CDdeDataHandle&) = delete;
    ~CDdeDataHandle() {
        if (m_hData)
            DdeFreeDataHandle(m_hData);
    }

    HDDEDATA Get() const { return m_hData; }
    explicit operator bool() const { return m_hData != nullptr; }
    // The data as text: up to its first zero, and never beyond the size the library reports.
    bool ReadText(std::string& text) const;

private:
    HDDEDATA m_hData;
};
