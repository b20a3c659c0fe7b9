// What the copy engine needs of the running program and of the copy page, as two small
// interfaces: the application and the page implement them, the tests put in their own.
// Win32 only (the engine installs into Windows folders and the registry).
#pragma once

#include "transfer/SetupPath.h"

#include <cstdint>
#include <string>

class CDestinationMap;
class CException;
class CInstallFile;
class CProgramItemMap;
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

// The running program as the engine sees it: the install model, the paths, the outcome
// flags and the questions only the program can ask.
class CCopyEnvironment {
public:
    virtual ~CCopyEnvironment() = default;

    // Makes sure that the file name of diskette `disk` can be found in the source folder,
    // switching the folder or asking for the diskette; false when the user cancelled.
    virtual bool EnsureSourceFile(const std::string& name, int disk) = 0;
    // After an error that ended one record ("Cannot install files from '%s':"): true to go
    // on with the next record.
    virtual bool AskAfterError(const CException& error, const std::string& sourceFileName) = 0;
    // Lets the user interface breathe between members.
    virtual void PumpMessages() {}
    // After the last record: SETUP.INI, the program items, the install log.
    virtual void FinishCopy() {}

    CDestinationMap* m_pDestinations = nullptr; // not owned
    CProgramItemMap* m_pItems = nullptr;        // not owned
    CSetupPath* m_pSourceDir = nullptr;         // the folder the source files are read from
    CSetupPath m_logPath;                       // the install log
    int32_t* m_pSucceeded = nullptr;            // cleared by a failure or a cancel
    int32_t* m_pRestartNeeded = nullptr;        // set when a replacement waits for a restart
};
