// What the copy engine needs of the running program and of the copy page, as two small
// interfaces: the application and the page implement them, the tests put in their own.
// Win32 only (the engine installs into Windows folders and the registry).
#pragma once

#include "transfer/SetupPath.h"

#include <cstdint>
#include <map>
#include <string>

class CException;
class CInstallFile;
class CSetupMultiFile;

// The copy page as the engine sees it. Every call comes from the one user-interface thread.
class CCopyProgress {
public:
    virtual ~CCopyProgress() = default;

    // The run starts: the gauge's range becomes 1..totalBytes, its position 0.
    virtual void StartRun(uint32_t totalBytes) = 0;
    // The record being read ("Source File:").
    virtual void ShowSource(const CSetupMultiFile& record) = 0;
    // Every 4096 source bytes read: repaint, serve input, examine a pending Cancel.
    virtual void Tick() = 0;
    // The member being extracted, or null between members.
    virtual void SetCurrentEntry(CInstallFile* entry) = 0;
    // A member or plain file is done: its expanded size counts as done.
    virtual void AddDone(const CInstallFile& entry) = 0;
    // A plain file with destination -1: its size counts as done, nothing is copied.
    virtual void AddDoneRecord(const CSetupMultiFile& record) = 0;
    // The run was cancelled: the page leads to the failed page.
    virtual void MarkFailed() = 0;
};

// The running program as the engine sees it: the install model's folders, the outcome of
// the run and the questions only the program can ask. What the engine reads is handed over
// as values when the copy starts; what it changes goes back through the calls below.
class CCopyEnvironment {
public:
    virtual ~CCopyEnvironment() = default;

    // Makes sure that the file name of diskette `disk` can be found, switching the source
    // folder or asking for the diskette. True with `folder` the source folder that holds
    // it; false when the user cancelled.
    virtual bool EnsureSourceFile(const std::string& name, int disk, CSetupPath& folder) = 0;
    // After an error that ended one record ("Cannot install files from '%s':"): true to go
    // on with the next record.
    virtual bool AskAfterError(const CException& error, const std::string& sourceFileName) = 0;
    // Lets the user interface breathe between members.
    virtual void PumpMessages() {}
    // After the last record: SETUP.INI, the program items, the install log.
    virtual void FinishCopy() {}
    // The run goes on while no failure or cancel has stopped it.
    virtual bool Succeeded() const = 0;
    virtual void Fail() = 0;
    // A replacement waits for the next start of Windows.
    virtual void RestartNeeded() = 0;
    // A member has its destination, installed now or kept from before: a program item for
    // its file name points at it.
    virtual void FileInDestination(const CSetupPath& path) {}

    std::map<int16_t, std::string> m_destinationFolders; // resolved folder by destination id
    CSetupPath m_logPath;                                // the install log
};
