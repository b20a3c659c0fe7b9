#include "RecorderProcess.h"

#include "TestFiles.h"
#include "WindowsTestSupport.h"

#include <cstdio>

namespace {

std::string UniqueName(const char* what) {
    static unsigned counter = 0;
    char name[96];
    snprintf(name, sizeof name, "ShiftwellRecorder%s-%lu-%u", what, GetCurrentProcessId(),
             ++counter);
    return name;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

CRecorderProcess::~CRecorderProcess() {
    Stop();
}

bool CRecorderProcess::Start(const std::string& folder, const Options& options) {
    static unsigned counter = 0;
    m_strLog = folder + "recorder" + std::to_string(++counter) + ".log";
    DeleteFileA(m_strLog.c_str());
    const std::string readyName = UniqueName("Ready");
    const std::string quitName = UniqueName("Quit");
    m_ready.Reset(CreateEventA(nullptr, TRUE, FALSE, readyName.c_str()));
    m_quit.Reset(CreateEventA(nullptr, TRUE, FALSE, quitName.c_str()));

    std::string command = Quoted(HostPathToWindows(SHIFTWELL_RECORDER_EXE)) + " " +
                          Quoted(m_strLog) + " " + readyName + " " + quitName;
    if (options.hasAnswer) {
        const std::string answerFile = m_strLog + ".answer";
        WriteFileBytes(answerFile, options.answer);
        command += " --answer " + Quoted(answerFile);
    }
    if (!options.rejectPrefix.empty())
        command += " --reject " + Quoted(options.rejectPrefix);
    if (!options.service.empty())
        command += " --service " + options.service;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return false;
    CHandle thread(info.hThread);
    m_process.Reset(info.hProcess);
    HANDLE waits[2] = {m_ready.Get(), m_process.Get()};
    return WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
}

std::vector<std::string> CRecorderProcess::Stop() {
    std::vector<std::string> lines;
    if (!m_process.IsValid())
        return lines;
    SetEvent(m_quit.Get());
    if (WaitForSingleObject(m_process.Get(), 20000) != WAIT_OBJECT_0)
        TerminateProcess(m_process.Get(), 1);
    m_process.Reset();
    m_ready.Reset();
    m_quit.Reset();

    std::string text = ReadFileBytes(m_strLog);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> ExecutedCommands(const std::vector<std::string>& log) {
    std::vector<std::string> commands;
    for (const std::string& line : log) {
        if (line.compare(0, 8, "EXECUTE ") == 0)
            commands.push_back(line.substr(8));
    }
    return commands;
}
