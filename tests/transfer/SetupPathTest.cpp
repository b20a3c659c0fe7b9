#include "TestFiles.h"

#include "framework/File.h"
#include "transfer/SetupPath.h"

#ifdef _WIN32
#include "framework/WindowsFamily.h"
#include "framework/ui/Handle.h"

#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

TEST(SetupPath, SplitsIntoDriveDirectoryTitleAndExtension) {
    CSetupPath p("C:\\WINDOWS\\SYSTEM\\KERNEL.DLL");
    EXPECT_EQ("C", p.GetDrive());
    EXPECT_EQ("\\WINDOWS\\SYSTEM", p.GetDirectory());
    EXPECT_EQ("KERNEL", p.GetTitle());
    EXPECT_EQ("DLL", p.GetExtension());
    EXPECT_EQ("KERNEL.DLL", p.GetFileName());
    EXPECT_EQ("C:\\WINDOWS\\SYSTEM\\", p.GetFolder());
}

TEST(SetupPath, FileNameWithoutExtensionGetsNoDot) {
    EXPECT_EQ("README", CSetupPath("C:\\DIR\\README").GetFileName());
}

TEST(SetupPath, FolderIsEmptyWithoutDriveLetter) {
    EXPECT_EQ("", CSetupPath("\\\\server\\share\\x.txt").GetFolder());
}

TEST(SetupPath, RootDirectoryKeepsItsBackslash) {
    EXPECT_EQ("\\", CSetupPath("C:\\F.TXT").GetDirectory());
}

TEST(SetupPath, SetDirectoryOfEmptyTextGoesToTheRoot) {
    CSetupPath p("C:\\X\\F.TXT");
    p.SetDirectory("");
    EXPECT_EQ("C:\\F.TXT", p.GetText());
}

TEST(SetupPath, SetDirectoryAddsMissingBackslashes) {
    CSetupPath p("C:\\X\\F.TXT");
    p.SetDirectory("A\\B");
    EXPECT_EQ("C:\\A\\B\\F.TXT", p.GetText());
}

TEST(SetupPath, SetFolderReplacesDriveAndDirectoryOnly) {
    CSetupPath p("C:\\X\\SETUP.EXE");
    p.SetFolder("E:\\DISK1");
    EXPECT_EQ("E:\\DISK1\\SETUP.EXE", p.GetText());
}

TEST(SetupPath, SetExtensionAndFileName) {
    CSetupPath p("C:\\X\\SETUP.EXE");
    p.SetExtension("ini");
    EXPECT_EQ("C:\\X\\SETUP.ini", p.GetText());
    p.SetFileName("shift.log");
    EXPECT_EQ("C:\\X\\shift.log", p.GetText());
    p.SetFileName("");
    EXPECT_EQ("C:\\X\\", p.GetText());
}

TEST(SetupPath, AppendSubdirectory) {
    CSetupPath p("C:\\APPS\\");
    p.AppendSubdirectory("\\SHIFT");
    EXPECT_EQ("C:\\APPS\\SHIFT\\", p.GetText());
    p.AppendSubdirectory("");
    EXPECT_EQ("C:\\APPS\\SHIFT\\", p.GetText());
    CSetupPath q("C:\\APPS\\F.TXT");
    q.AppendSubdirectory("SUB");
    EXPECT_EQ("C:\\APPS\\SUB\\F.TXT", q.GetText());
}

TEST(SetupPath, ToParentReturnsTheLastComponent) {
    CSetupPath p("C:\\A\\B\\F.TXT");
    std::string last;
    p.ToParent(&last);
    EXPECT_EQ("C:\\A\\F.TXT", p.GetText());
    EXPECT_EQ("B", last);
    p.ToParent();
    EXPECT_EQ("C:\\F.TXT", p.GetText());
    p.ToParent();
    EXPECT_EQ("C:\\F.TXT", p.GetText());
}

TEST(SetupPath, ToRootGivesTheDriveRoot) {
    CSetupPath p("C:\\A\\B\\F.TXT");
    p.ToRoot();
    EXPECT_EQ("C:\\", p.GetText());
}

TEST(SetupPath, StringHelpers) {
    std::string s = "\\";
    RemoveTrailingBackslash(s);
    EXPECT_EQ("\\", s);
    s = "C:\\A\\";
    RemoveTrailingBackslash(s);
    EXPECT_EQ("C:\\A", s);
    s.clear();
    AppendBackslash(s);
    EXPECT_EQ("\\", s);
    s = "A";
    PrependBackslash(s);
    EXPECT_EQ("\\A", s);
    RemoveLeadingBackslash(s);
    EXPECT_EQ("A", s);
    s = "abcdef";
    TruncateTo(s, 3);
    EXPECT_EQ("abc", s);
}

namespace {
// A folder of its own in the temporary directory, removed with what the test left in it.
struct ScratchFolder {
    CScratchFolder folder;
    CSetupPath path{folder.Folder()};
};
} // namespace

TEST(SetupPathFiles, CreatesNestedFoldersAndAcceptsExistingOnes) {
    ScratchFolder scratch;
    CSetupPath deep(scratch.path);
    deep.AppendSubdirectory("A");
    deep.AppendSubdirectory("B");
    deep.AppendSubdirectory("C");
    EXPECT_TRUE(deep.CreateFolder(true));
    EXPECT_TRUE(deep.CreateFolder(true));
    CSetupPath noSlash(deep.GetText().substr(0, deep.GetText().size() - 1));
    EXPECT_TRUE(noSlash.Exists());
    EXPECT_FALSE(deep.HasEntries());
    CSetupPath parent(deep);
    parent.ToParent();
    EXPECT_TRUE(parent.HasEntries());
}

TEST(SetupPathFiles, UniqueNameKeepsFolderAndExtension) {
    ScratchFolder scratch;
    CSetupPath p(scratch.path);
    p.SetFileName("APP.EXE");
    ASSERT_TRUE(p.MakeUniqueName(true, 1000));
    EXPECT_EQ(8u, p.GetTitle().size());
    EXPECT_EQ("EXE", p.GetExtension());
    EXPECT_EQ(scratch.path.GetFolder(), p.GetFolder());
    for (char c : p.GetTitle())
        EXPECT_TRUE(isxdigit(static_cast<unsigned char>(c)) && !isupper(c)) << p.GetText();
    EXPECT_FALSE(p.MakeUniqueName(true, 0));
}

TEST(SetupPathFiles, UniqueFileIsClaimedPastNamesAlreadyTaken) {
    ScratchFolder scratch;
    CSetupPath first(scratch.path);
    first.SetFileName("APP.EXE");
    srand(4711);
    ASSERT_TRUE(first.MakeUniqueName(true, 1000));
    { std::ofstream(first.GetText()) << "taken"; }
    // The same random names again: the first is taken, the second is created empty.
    CSetupPath claimed(scratch.path);
    claimed.SetFileName("APP.EXE");
    srand(4711);
    ASSERT_TRUE(claimed.MakeUniqueFile(1000));
    EXPECT_NE(first.GetText(), claimed.GetText());
    EXPECT_EQ("EXE", claimed.GetExtension());
    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(claimed.GetText(), st));
    EXPECT_EQ(0u, st.m_size);
    std::ifstream kept(first.GetText());
    std::string text;
    kept >> text;
    EXPECT_EQ("taken", text);
    // One try, and that name taken: false, the path keeps the name.
    srand(4711);
    EXPECT_FALSE(claimed.MakeUniqueFile(1));
    EXPECT_EQ(first.GetText(), claimed.GetText());
    // A folder that cannot hold files: false at once.
    CSetupPath nowhere(scratch.path);
    nowhere.AppendSubdirectory("missing");
    nowhere.SetFileName("X.TMP");
    EXPECT_FALSE(nowhere.MakeUniqueFile(1000));
}

TEST(SetupPathFiles, DeleteClearsReadOnlyWhenAsked) {
    ScratchFolder scratch;
    CSetupPath f(scratch.path);
    f.SetFileName("ro.txt");
    { std::ofstream(f.GetText()) << "x"; }
    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(f.GetText(), st));
    st.m_attribute = kAttrReadOnly;
    st.m_mtime = 0;
    CFile::SetStatus(f.GetText(), st);
#ifdef _WIN32
    EXPECT_FALSE(f.Delete(false));
#endif
    EXPECT_TRUE(f.Delete(true));
    EXPECT_FALSE(f.Exists());
}

TEST(SetupPathFiles, MoveOverReplacesAnExistingFileAndNeedsASource) {
    ScratchFolder scratch;
    CSetupPath copy(scratch.path), target(scratch.path);
    copy.SetFileName("1a2b3c4d.log");
    target.SetFileName("shift.log");
    { std::ofstream(copy.GetText()) << "new"; }
    { std::ofstream(target.GetText()) << "old"; }
    EXPECT_TRUE(copy.MoveOver(target));
    EXPECT_FALSE(copy.Exists());
    std::string text;
    std::ifstream(target.GetText()) >> text;
    EXPECT_EQ("new", text);
    // Nothing to move: the target stays as it is.
    EXPECT_FALSE(copy.MoveOver(target));
    std::ifstream(target.GetText()) >> text;
    EXPECT_EQ("new", text);
}

#ifdef _WIN32
// Windows 95 has no one-step replace: the old file steps aside, and comes back when the new
// one cannot take its place.
TEST(SetupPathFiles, MoveOverOnWindows95LosesNothingWhenTheMoveFails) {
    WindowsFamily previous = PretendWindowsFamily(WindowsFamily::kWindows95);
    ScratchFolder scratch;
    CSetupPath copy(scratch.path), target(scratch.path);
    copy.SetFileName("1a2b3c4d.log");
    target.SetFileName("shift.log");
    WriteFileBytes(copy.GetText(), "new");
    WriteFileBytes(target.GetText(), "old");
    {
        // In use: it cannot be renamed.
        CHandle inUse(CreateFileA(copy.GetText().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  0, nullptr));
        EXPECT_FALSE(copy.MoveOver(target));
    }
    EXPECT_EQ("old", ReadFileBytes(target.GetText()));
    EXPECT_EQ(2u, scratch.folder.Files().size());
    EXPECT_TRUE(copy.MoveOver(target));
    EXPECT_EQ("new", ReadFileBytes(target.GetText()));
    EXPECT_EQ(std::vector<std::string>{"shift.log"}, scratch.folder.Files());
    PretendWindowsFamily(previous);
}
#endif

TEST(SetupPathFiles, RootsAreFolders) {
    CSetupPath temp(kRootTempDir);
    EXPECT_FALSE(temp.GetText().empty());
    EXPECT_TRUE(temp.GetFileName().empty());
#ifdef _WIN32
    for (int kind : {kRootCurrentDir, kRootWindowsDir, kRootSystemDir, kRootSetupDir}) {
        CSetupPath p(kind);
        EXPECT_EQ('\\', p.GetText().back()) << kind;
        EXPECT_TRUE(p.GetFileName().empty()) << kind;
    }
    EXPECT_TRUE(CSetupPath(5).GetText().empty());
#endif
}

#ifdef _WIN32
TEST(DriveIterator, FirstFixedDiskIsC) {
    CDriveIterator it;
    ASSERT_TRUE(it.FindFirstFixed());
    EXPECT_EQ(2, it.m_nIndex);
    EXPECT_EQ("C", it.Letter());
}

TEST(SetupPathFiles, FreeSpaceOfTheSystemDrive) {
    CSetupPath c("C:\\");
    EXPECT_GT(c.ClusterBytes(), 0u);
    EXPECT_EQ(3u, c.DriveType());
}
#endif
