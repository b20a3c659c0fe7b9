// The fixture of the GUI installation tests: a diskette set of the sample product made for
// each test (installing into a folder of its own), SETUP.EXE started from its first
// diskette, and waits for the pages, operated through the GUI driver. Win32 (under Wine).
#pragma once

#include "GuiDriver.h"
#include "GuiTest.h"
#include "TestFiles.h"
#include "WindowsTestSupport.h"
#include "framework/ui/FindFile.h"

#include "tools/mkdisks/MkdisksTool.h"

#include <gtest/gtest.h>

#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace guidriver;

namespace {

constexpr char kTitle[] = "Corvatek Shiftwell Setup";
constexpr int kNextId = 1020;
constexpr int kGroupEditId = 1006;
constexpr int kGroupListId = 1007;
constexpr int kNewGroupId = 1004;
constexpr int kExistingGroupId = 1005;
constexpr DWORD kEndTimeoutMs = 120000;
constexpr DWORD kRestartNeededCode = 3010;
constexpr DWORD kCancelledCode = 1602;
constexpr DWORD kFailedCode = 1603;

inline std::string ProgramsFolder() {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, 0, folder);
    return std::string(folder) + "\\";
}

// The payload file that a file of the sample product is installed from: the same name, except
// REGISTER.INI, whose source is register-components.ini (beside register-removal.ini, which
// goes on diskette 1 as Register.ini; two sources named alike but for case would be one file
// where names ignore case).
inline std::string PayloadName(const std::string& installed) {
    return lstrcmpiA(installed.c_str(), "REGISTER.INI") == 0 ? "register-components.ini"
                                                             : installed;
}

inline bool IsButtonChecked(HWND root, int id) {
    HWND button = FindControl(root, id);
    return button != nullptr && SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Types text into an edit control of another process, as the keyboard would leave it.
inline void TypeText(HWND root, int id, const std::string& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(FindControl(root, id), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &result);
}

class GuiInstall : public ::testing::Test {
protected:
    static void SetUpTestSuite() { PrepareGuiTests(GUI_ARTIFACT_HOST_DIR); }

    // A diskette set of the sample product of its own, installing into C:\<name>\.
    void SetUp() override { MakeDisketteSet(HostPathToWindows(SHIFTWELL_PAYLOAD_HOST_DIR)); }

    // The diskette set made from the payload folder (a Windows path) with the sample's
    // product description, installing into a folder no earlier run has used.
    void MakeDisketteSet(const std::string& payload) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        // A folder no earlier run in this prefix has used (process ids repeat).
        static int counter = 0;
        do {
            m_strName = "SW" + std::to_string(GetCurrentProcessId() % 10000) + "_" +
                        std::to_string(++counter);
        } while (PathExists("C:\\" + m_strName) || PathExists("C:\\SWSET_" + m_strName));
        m_set = "C:\\SWSET_" + m_strName + "\\";
        std::ostringstream out, err;
        ASSERT_EQ(0, RunMkdisks({"-i", payload, payload + "\\shiftwell.desc", m_set}, out, err))
            << err.str() << " in " << info->name();
        WritePrivateProfileStringA("destinations", "0", m_strName.c_str(),
                                   Disk(1, "SETUP.ini").c_str());
        m_install = "C:\\" + m_strName + "\\";
    }

    void TearDown() override {
        if (m_setup.IsRunning()) {
            Shot("left-running");
            m_setup.Terminate();
        }
        CloseFolderWindows();
        // The diskette set is this test's own copy; nothing after the test reads it.
        if (!m_set.empty())
            RemoveFolderTree(m_set);
    }

    std::string Disk(int n, const std::string& name) const {
        char folder[16];
        std::snprintf(folder, sizeof folder, "DISK%02d\\", n);
        return m_set + folder + name;
    }
    std::string Log() const { return WindowsDirectoryPath() + "shift.log"; }

    void Start(const std::string& arguments) {
        ASSERT_TRUE(m_setup.Launch(Disk(1, "SETUP.EXE"), arguments, m_set + "DISK01"));
    }

    WindowQuery Query(const std::string& caption, std::vector<int> ids = {}) {
        WindowQuery query;
        query.caption = caption;
        query.controlIds = std::move(ids);
        query.processId = m_setup.Id();
        return query;
    }
    HWND WaitPage(const std::string& caption, std::vector<int> ids, DWORD timeout = 60000) {
        return WaitForWindow(Query(caption, std::move(ids)), timeout);
    }
    // A page of the product's caption whose button id carries the given text.
    HWND WaitButtonPage(int id, const std::string& text, DWORD timeout = 60000) {
        HWND page = nullptr;
        WaitUntil(
            [&] {
                page = FindTopWindow(Query(kTitle, {id}));
                return page != nullptr && GetControlText(page, id) == text;
            },
            timeout);
        return page;
    }
    HWND WaitCompletePage() { return WaitButtonPage(IDOK, "Finished"); }
    HWND WaitFailedPage() { return WaitButtonPage(IDOK, "&OK"); }
    HWND WaitCopyPage() { return WaitPage(kTitle, {1008, 1009, IDCANCEL}); }

    // Welcome, destination (as proposed) and the group page, which is returned.
    HWND WalkToGroupPage() {
        HWND welcome = WaitPage("Welcome", {kNextId});
        EXPECT_NE(welcome, nullptr);
        if (!welcome)
            return nullptr;
        Shot("welcome");
        Click(welcome, kNextId);
        HWND destination = WaitPage("Select Directory", {1001, kNextId});
        EXPECT_NE(destination, nullptr);
        if (!destination)
            return nullptr;
        EXPECT_EQ(m_install, GetControlText(destination, 1001));
        Shot("destination");
        Click(destination, kNextId);
        HWND group = WaitPage("Select Program Item Group", {kGroupEditId, kGroupListId});
        EXPECT_NE(group, nullptr);
        // The page shows while it still asks the shell for its groups (a DDE exchange that
        // takes seconds while the shell starts); it is filled once a choice is checked.
        EXPECT_TRUE(WaitUntil([group] {
            return IsButtonChecked(group, kNewGroupId) || IsButtonChecked(group, kExistingGroupId);
        })) << "the group page was not filled";
        return group;
    }

    void ExpectEndsWithCode(DWORD expected) {
        DWORD code = 12345;
        ASSERT_TRUE(m_setup.Wait(kEndTimeoutMs, &code)) << "setup did not end";
        EXPECT_EQ(expected, code);
    }

    void Shot(const std::string& name) { SaveTestScreenshot(GUI_ARTIFACT_HOST_DIR, name); }

    // What a successful installation leaves in the install folder and the log.
    void ExpectInstalled() {
        EXPECT_EQ(ReadFileBytes(Disk(1, "SETUP.EXE")).size() > 0, true);
        EXPECT_TRUE(PathExists(m_install + "shift.exe"));
        EXPECT_TRUE(PathExists(m_install + "DATA\\shift.dat"));
        EXPECT_TRUE(PathExists(m_install + "shift.txt"));
        EXPECT_FALSE(PathExists(m_install + "DATA\\SAMPLE.SHP")); // not a typical group
        EXPECT_EQ(m_install, IniValue(Log(), "destinations", "0").substr(m_strName.size() + 4));
        EXPECT_EQ("1|1|0", IniValue(Log(), "Program", "shift.dat"));
    }

    std::string m_strName;
    std::string m_set;
    std::string m_install;
    CProcess m_setup;
};

} // namespace
