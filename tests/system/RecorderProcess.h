// Runs ProgmanRecorder.exe (the stand-in Program Manager of the tests) as a child process and
// hands back what it recorded. The recorder's path comes from the build
// (SHIFTWELL_RECORDER_EXE, a path of the build tree).
#pragma once

#include "framework/ui/Handle.h"

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
    bool IsRunning() const { return m_process.IsValid(); }

private:
    std::string m_strLog;
    CHandle m_process;
    CHandle m_ready;
    CHandle m_quit;
};

// The EXECUTE lines of a log without their prefix.
std::vector<std::string> ExecutedCommands(const std::vector<std::string>& log);
