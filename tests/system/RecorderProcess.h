// Runs ProgmanRecorder.exe (the stand-in Program Manager of the tests) as a child process and
// hands back what it recorded. The recorder's path comes from the build
// (SHIFTWELL_RECORDER_EXE, a path of the build tree).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CRecorderProcess {
public:
    struct Options {
        std::string answer;       // group-list answer; used when hasAnswer
        bool hasAnswer = false;   // without it a request gets no data
        std::string rejectPrefix; // execute strings refused
        std::string service;      // another service name than "PROGMAN"
    };

    CRecorderProcess() = default;
    ~CRecorderProcess();
    CRecorderProcess(const CRecorderProcess&) = delete;
    CRecorderProcess& operator=(const CRecorderProcess&) = delete;

    // Starts the recorder and waits until its service is registered.
    bool Start(const std::string& folder, const Options& options);
    // Ends the recorder and returns its log lines.
    std::vector<std::string> Stop();
    bool IsRunning() const { return m_process != nullptr; }

private:
    std::string m_strLog;
    HANDLE m_process = nullptr;
    HANDLE m_ready = nullptr;
    HANDLE m_quit = nullptr;
};

// The EXECUTE lines of a log without their prefix.
std::vector<std::string> ExecutedCommands(const std::vector<std::string>& log);
