// What the GUI test programs share around the driver: Wine places and maximises the windows
// itself (no window manager runs on the tests' display), and each test's screenshots go to
// the program's artifact folder of the build tree, named after the test. Win32, GoogleTest.
#pragma once

#include "GuiDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace guidriver {

// For SetUpTestSuite, before the program under test starts: unmanaged windows, and the
// artifact folder (a path of the build tree) made.
inline void PrepareGuiTests(const std::string& artifactHostDir) {
    UseUnmanagedWindows();
    CreateDirectoryA(HostPathToWindows(artifactHostDir).c_str(), nullptr);
}

// Saves the screen as "<running test>-<name>.bmp" in the artifact folder.
inline bool SaveTestScreenshot(const std::string& artifactHostDir, const std::string& name) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return SaveScreenshot(HostPathToWindows(artifactHostDir) + "\\" + info->name() + "-" + name +
                          ".bmp");
}

} // namespace guidriver
