#include "framework/File.h"
#include "transfer/SetupPath.h"
#ifdef _WIN32
#include "framework/FileStatus_win32.h"
#include "framework/WindowsFamily.h"
#endif

#include <gtest/gtest.h>

#include <cstdio>

namespace {
std::string TempFile(const char* name) {
    CSetupPath p(kRootTempDir);
    p.SetFileName(name);
    return p.GetText();
}
} // namespace

TEST(File, OpenMissingFileReportsFileNotFound) {
    CFile f;
    CFileException error;
    EXPECT_FALSE(f.Open(TempFile("no-such-file.bin"), CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_FALSE(f.IsHandleOpen());
}

TEST(File, WritesReadsAndSeeksUnbufferedAndBuffered) {
    std::string name = TempFile("swfile.bin");
    {
        CFile f;
        ASSERT_TRUE(f.Open(name, CFile::modeCreate | CFile::modeWrite));
        f.Write("0123456789", 10);
        EXPECT_EQ(10u, f.GetLength());
        f.Close();
    }
    CStdioFile s;
    ASSERT_TRUE(s.Open(name, CFile::modeRead | CFile::typeBinary));
    char buf[8] = {};
    EXPECT_EQ(4u, s.Read(buf, 4));
    EXPECT_EQ(std::string("0123"), std::string(buf, 4));
    EXPECT_EQ(4u, s.GetPosition());
    s.Seek(8, CFile::begin);
    EXPECT_EQ(2u, s.Read(buf, 8));
    EXPECT_EQ(0u, s.Read(buf, 8));
    EXPECT_EQ(10u, s.GetLength());
    s.Close();
    CFile::Remove(name);
}

TEST(File, TextLinesComeBackWithoutLineEnds) {
    std::string name = TempFile("swtext.txt");
    {
        CStdioFile s;
        ASSERT_TRUE(s.Open(name, CFile::modeCreate | CFile::modeWrite | CFile::typeText));
        s.WriteString("first\nsecond line\nlast");
        s.Close();
    }
    CStdioFile s;
    ASSERT_TRUE(s.Open(name, CFile::modeRead | CFile::typeText));
    std::string line;
    ASSERT_TRUE(s.ReadString(line));
    EXPECT_EQ("first", line);
    ASSERT_TRUE(s.ReadString(line, 6));
    EXPECT_EQ("second", line);
    ASSERT_TRUE(s.ReadString(line));
    EXPECT_EQ(" line", line);
    ASSERT_TRUE(s.ReadString(line));
    EXPECT_EQ("last", line);
    EXPECT_FALSE(s.ReadString(line));
    s.Close();
#ifdef _WIN32
    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(name, st));
    EXPECT_EQ(24u, st.m_size); // CR LF on disk
#endif
    CFile::Remove(name);
}

TEST(File, StatusCarriesTimeAndReadOnlyAttribute) {
    std::string name = TempFile("swstat.bin");
    {
        CFile f;
        ASSERT_TRUE(f.Open(name, CFile::modeCreate | CFile::modeWrite));
        f.Write("x", 1);
    }
    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(name, st));
    st.m_mtime = 946684800; // 2000-01-01
    st.m_attribute = kAttrReadOnly;
    CFile::SetStatus(name, st);
    CFileStatus back;
    ASSERT_TRUE(CFile::GetStatus(name, back));
    EXPECT_EQ(946684800, back.m_mtime);
    EXPECT_TRUE(back.m_attribute & kAttrReadOnly);
    back.m_attribute = 0;
    CFile::SetStatus(name, back);
    ASSERT_TRUE(CFile::GetStatus(name, back));
    EXPECT_FALSE(back.m_attribute & kAttrReadOnly);
    CFile::Remove(name);
    EXPECT_FALSE(CFile::GetStatus(name, back));
}

TEST(File, RemovingMissingFileThrowsWithItsName) {
    std::string name = TempFile("swmissing.bin");
    try {
        CFile::Remove(name);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
        EXPECT_EQ(name, e.m_strFileName);
        EXPECT_STREQ("CFileException", e.GetRuntimeClassName());
    }
}

namespace {
std::string ReadAll(const std::string& name) {
    CFile f;
    if (!f.Open(name, CFile::modeRead))
        return "<missing>";
    char buffer[64] = {};
    unsigned n = f.Read(buffer, sizeof buffer);
    return std::string(buffer, n);
}

void WriteNew(const std::string& name, const std::string& text) {
    CFile f;
    ASSERT_TRUE(f.Open(name, CFile::modeCreate | CFile::modeWrite));
    f.Write(text.data(), static_cast<unsigned>(text.size()));
}
} // namespace

// The copy engine claims its temporary names with CreateNew and writes through that handle:
// a name in use must never be opened, whatever holds it.
TEST(File, CreateNewClaimsOnlyAFreeName) {
    std::string name = TempFile("swclaim.tmp");
    std::remove(name.c_str());
    CFile claimed;
    ASSERT_EQ(CFile::NewFile::created, claimed.CreateNew(name));
    claimed.Write("mine", 4);
    claimed.Close();

    CFile second;
    EXPECT_EQ(CFile::NewFile::nameTaken, second.CreateNew(name));
    EXPECT_FALSE(second.IsHandleOpen());
    EXPECT_EQ("mine", ReadAll(name));

    CSetupPath folder(kRootTempDir);
    EXPECT_EQ(CFile::NewFile::nameTaken, second.CreateNew(folder.GetText()));

    CSetupPath nowhere(kRootTempDir);
    nowhere.AppendSubdirectory("sw-no-such-folder");
    nowhere.SetFileName("x.tmp");
    CFileException error;
    EXPECT_EQ(CFile::NewFile::failed, second.CreateNew(nowhere.GetText(), &error));
    EXPECT_NE(CFileException::none, error.m_cause);
    CFile::Remove(name);
}

// Renaming the open file never replaces another, in any letter case; where the system
// cannot rename an open file the call says so and the file stays where it was.
TEST(File, RenameOpenNeverReplacesAFile) {
    std::string temporary = TempFile("swren1.tmp"), target = TempFile("SWREN-TARGET.TXT");
    std::string other = TempFile("SWREN-OTHER.TXT");
    for (const std::string& name : {temporary, target, other})
        std::remove(name.c_str());
    WriteNew(other, "old");

    CFile file;
    ASSERT_EQ(CFile::NewFile::created, file.CreateNew(temporary));
    file.Write("new", 3);
    EXPECT_FALSE(file.RenameOpen(TempFile("swren-other.txt")));
    EXPECT_TRUE(file.IsHandleOpen());
    bool renamed = file.RenameOpen(target);
    file.Close();
    EXPECT_EQ("old", ReadAll(other));
#ifdef _WIN32
    ASSERT_TRUE(renamed);
    EXPECT_EQ("new", ReadAll(target));
    EXPECT_EQ("<missing>", ReadAll(temporary));
#else
    EXPECT_FALSE(renamed);
    EXPECT_EQ("new", ReadAll(temporary));
#endif
    for (const std::string& name : {temporary, target, other})
        std::remove(name.c_str());
}

#ifdef _WIN32
// Where GetFileAttributesExA is missing (Windows 95, NT 3.51) a file's status comes from its
// directory entry: the same size, time and attributes, a root without an entry, and no match
// for a wildcard that another file would answer.
TEST(File, StatusFromDirectoryEntryMatchesTheFilesOwn) {
    std::string name = TempFile("swentry.bin");
    {
        CFile f;
        ASSERT_TRUE(f.Open(name, CFile::modeCreate | CFile::modeWrite));
        f.Write("entry", 5);
    }
    WIN32_FILE_ATTRIBUTE_DATA own = {}, entry = {};
    ASSERT_TRUE(GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &own));
    ASSERT_TRUE(GetAttributeDataFromEntry(name, entry));
    EXPECT_EQ(own.dwFileAttributes, entry.dwFileAttributes);
    EXPECT_EQ(5u, entry.nFileSizeLow);
    EXPECT_EQ(0, CompareFileTime(&own.ftLastWriteTime, &entry.ftLastWriteTime));
    EXPECT_TRUE(GetAttributeDataFromEntry("C:\\", entry));
    EXPECT_TRUE(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(GetAttributeDataFromEntry(TempFile("swentr?.bin"), entry));
    CFile::Remove(name);
    EXPECT_FALSE(GetAttributeDataFromEntry(name, entry));
}

// The Windows 95 family opens a file for writing to set its time (it knows no narrower access).
TEST(File, StatusTimeSetOnTheWindows95Road) {
    std::string name = TempFile("swstat95.bin");
    {
        CFile f;
        ASSERT_TRUE(f.Open(name, CFile::modeCreate | CFile::modeWrite));
    }
    WindowsFamily previous = PretendWindowsFamily(WindowsFamily::kWindows95);
    CFileStatus st;
    ASSERT_TRUE(CFile::GetStatus(name, st));
    st.m_mtime = 946684800;
    CFile::SetStatus(name, st);
    PretendWindowsFamily(previous);
    ASSERT_TRUE(CFile::GetStatus(name, st));
    EXPECT_EQ(946684800, st.m_mtime);
    CFile::Remove(name);
}
#endif
