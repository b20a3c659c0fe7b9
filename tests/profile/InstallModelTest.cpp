// The install model loaded from real setup profiles, and saved into the install log.
#include "TestFiles.h"

#include "errors/XException.h"
#include "profile/Destination.h"
#include "profile/DisketteArray.h"
#include "profile/FileGroup.h"
#include "profile/InstallLog.h"
#include "profile/InstallProfile.h"
#include "profile/InstallProfileException.h"
#include "profile/ProfileKeyList.h"
#include "profile/ProfileValue.h"
#include "profile/ProgramItem.h"
#include "transfer/InstallPlan.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

namespace {

class InstallModel : public ::testing::Test {
protected:
    CSetupPath Profile(const std::string& text) {
        WriteFileBytes(m_folder.Path("setup.ini"), text);
        return CSetupPath(m_folder.Path("setup.ini"));
    }
    std::string Read(const CSetupPath& file, const char* section, const char* key) {
        return CProfileValue("", section, key, file, 0, 1).GetValue();
    }
    std::vector<std::string> KeysOf(const CSetupPath& file, const char* section) {
        std::vector<std::string> keys;
        CProfileKeyList list(section);
        list.SetFile(file);
        CProfileValue value;
        for (bool more = list.First(value); more; more = list.Next(value))
            keys.push_back(value.GetKey());
        return keys;
    }
    CScratchFolder m_folder;
};

int32_t CauseOf(CDestinationMap& map) {
    try {
        map.ResolveAll();
    } catch (const CInstallProfileException& e) {
        return e.m_nCause;
    }
    return -100;
}

int32_t LoadCause(CDestinationMap& map, const CSetupPath& file) {
    try {
        map.LoadFromProfile(file);
    } catch (const CInstallProfileException& e) {
        return e.m_nCause;
    }
    return -100;
}

// ---- destinations

TEST_F(InstallModel, MapStartsWithTheThreeRoots) {
    CDestinationMap map;
    EXPECT_EQ(3u, map.GetCount());
    EXPECT_EQ(CSetupPath(kRootWindowsDir).GetText(), map.GetPath(kDestWindows));
    EXPECT_EQ(CSetupPath(kRootSystemDir).GetText(), map.GetPath(kDestSystem));
    EXPECT_EQ(CSetupPath(kRootTempDir).GetText(), map.GetPath(kDestTemp));
    EXPECT_FALSE(map.GetPath(kDestSystem).empty());
    EXPECT_EQ(nullptr, map.Lookup(0));
    EXPECT_EQ("", map.GetName(0));
}

TEST_F(InstallModel, MissingOrEmptyDestinationsIsCause0) {
    CDestinationMap map;
    EXPECT_EQ(kProfileMissing, LoadCause(map, CSetupPath(m_folder.Path("none.ini"))));
    EXPECT_EQ(kProfileMissing, LoadCause(map, Profile("[destinations]\r\n[groups]\r\nA=a\r\n")));
    EXPECT_EQ(3u, map.GetCount());
}

TEST_F(InstallModel, SingleRootRecordResolvesInTheFirstPass) {
    CDestinationMap map;
    map.LoadFromProfile(Profile("[destinations]\r\n0=|-1|\r\n"));
    EXPECT_EQ(4u, map.GetCount());
    ASSERT_NE(nullptr, map.Lookup(0));
    EXPECT_EQ(kDestNone, map.Lookup(0)->m_nParentId);
    EXPECT_EQ(1, map.ResolveAll());
}

TEST_F(InstallModel, AbsentParentFieldMakesARootAndAbsentPathStaysEmpty) {
    CDestinationMap map;
    map.LoadFromProfile(Profile("[destinations]\r\n0=SHIFT\r\n1=BIN|x\r\n"));
    EXPECT_EQ("SHIFT", map.GetName(0));
    EXPECT_EQ(kDestNone, map.Lookup(0)->m_nParentId);
    EXPECT_EQ(0, map.Lookup(1)->m_nParentId); // not a number: 0
    EXPECT_EQ("", map.GetPath(1));
}

TEST_F(InstallModel, ChildrenBeforeParentsResolveInLaterPasses) {
    // Records are visited by ascending id; each parent has a higher id than its child, so a
    // chain of k records below the install directory needs k passes.
    CDestinationMap map;
    map.LoadFromProfile(Profile("[destinations]\r\n0=SHIFT|-1|\r\n"
                                "1=D|2|\r\n2=C|3|\r\n3=B|4|\r\n4=A|0|\r\n"));
    map.SetPath(0, "C:\\SHIFT\\");
    EXPECT_EQ(4, map.ResolveAll());
    EXPECT_EQ("C:\\SHIFT\\A\\B\\C\\D\\", map.GetPath(1));
    EXPECT_EQ("C:\\SHIFT\\A\\", map.GetPath(4));
}

TEST_F(InstallModel, RecordsBelowTheSystemRootResolveFromIt) {
    CDestinationMap map;
    map.LoadFromProfile(Profile("[destinations]\r\n0=SHIFT|-1|\r\n5=DRIVERS|-3|\r\n"));
    map.SetPath(0, "D:\\APPS\\SHIFT\\");
    EXPECT_EQ(1, map.ResolveAll());
    EXPECT_EQ(map.GetPath(kDestSystem) + "DRIVERS\\", map.GetPath(5));
}

TEST_F(InstallModel, MissingParentIsCause1) {
    CDestinationMap map;
    map.LoadFromProfile(Profile("[destinations]\r\n0=SHIFT|-1|\r\n1=BIN|7|\r\n"));
    map.SetPath(0, "C:\\SHIFT\\");
    EXPECT_EQ(kProfileUnresolved, CauseOf(map));
}

TEST_F(InstallModel, CycleIsCause1) {
    CDestinationMap map;
    map.LoadFromProfile(Profile("[destinations]\r\n0=SHIFT|-1|\r\n1=A|2|\r\n2=B|1|\r\n"
                                "3=SELF|3|\r\n"));
    map.SetPath(0, "C:\\SHIFT\\");
    EXPECT_EQ(kProfileUnresolved, CauseOf(map));
}

TEST_F(InstallModel, InstallDirectoryWithoutPathLeavesItsChildrenUnresolved) {
    CDestinationMap map;
    map.LoadFromProfile(Profile("[destinations]\r\n0=SHIFT|-1|\r\n1=BIN|0|\r\n"));
    EXPECT_EQ(kProfileUnresolved, CauseOf(map));
}

TEST_F(InstallModel, ResolveAllKeepsPathsGivenInTheProfile) {
    CDestinationMap map;
    map.LoadFromProfile(Profile("[destinations]\r\n0=SHIFT|-1|\r\n1=BIN|0|E:\\FIXED\\\r\n"));
    map.SetPath(0, "C:\\SHIFT\\");
    map.ResolveAll();
    EXPECT_EQ("E:\\FIXED\\", map.GetPath(1));
    ASSERT_TRUE(map.Lookup(1)->Resolve(true));
    EXPECT_EQ("C:\\SHIFT\\BIN\\", map.GetPath(1));
}

TEST_F(InstallModel, KeysBeyond16BitsAreTruncated) {
    CDestinationMap map;
    map.LoadFromProfile(Profile("[destinations]\r\n65537=ONE|-1|\r\n0=ZERO|-1|\r\n"));
    EXPECT_EQ("ONE", map.GetName(1));
    EXPECT_EQ("ZERO", map.GetName(0));
}

TEST_F(InstallModel, SavingWritesNoRootsAndReloadsToTheSameModel) {
    CDestinationMap map;
    map.LoadFromProfile(Profile("[destinations]\r\n0=SHIFT|-1|\r\n1=BIN|0|\r\n2=TMP|-4|\r\n"));
    map.SetPath(0, "C:\\SHIFT\\");
    map.ResolveAll();
    CSetupPath log(m_folder.Path("shift.log"));
    map.SaveToProfile(log);
    EXPECT_EQ((std::vector<std::string>{"0", "1", "2"}), KeysOf(log, "destinations"));
    EXPECT_EQ("SHIFT|-1|C:\\SHIFT\\", Read(log, "destinations", "0"));
    EXPECT_EQ("BIN|0|C:\\SHIFT\\BIN\\", Read(log, "destinations", "1"));
    CDestinationMap reloaded;
    reloaded.LoadFromProfile(log);
    EXPECT_EQ(6u, reloaded.GetCount());
    EXPECT_EQ(map.GetPath(2), reloaded.GetPath(2));
    EXPECT_EQ(map.GetPath(kDestTemp), reloaded.GetPath(kDestTemp));
}

TEST_F(InstallModel, ExceptionShowsTheProfileTexts) {
    std::unique_ptr<CXException> holder;
    CInstallProfileException e(kProfileUnresolved);
    const CXException& shown = LoadErrorTextFor(e, holder);
    EXPECT_EQ(&e, &shown);
    EXPECT_STREQ("CInstallProfileException", e.GetRuntimeClassName());
    EXPECT_EQ("Incomplete or missing profile.", SharedErrorTitle());
    EXPECT_EQ(0u, SharedErrorExplanation().find("The profile that holds application install"));
}

// ---- groups, targets, diskettes

TEST_F(InstallModel, GroupsLoadUnselectedAndSaveWithoutTheSelection) {
    CFileGroupMap groups;
    groups.LoadFromProfile(Profile("[groups]\r\nProgram=Program files|The program|1|1|0\r\n"
                                   "Help=Help|Help files|0|2\r\nodd=Odd\r\n"));
    ASSERT_EQ(3u, groups.m_records.size());
    const CFileGroup* help = groups.Lookup("Help");
    ASSERT_NE(nullptr, help);
    EXPECT_EQ(nullptr, groups.Lookup("help")); // group keys are exact
    EXPECT_EQ("Help files", help->m_strDescription);
    EXPECT_EQ(0, help->m_bInMinimum);
    EXPECT_EQ(1, help->m_bInTypical);
    EXPECT_EQ(0, help->m_bInCustom);
    EXPECT_EQ(0, help->m_bSelected);
    groups.SelectForType(2);
    EXPECT_EQ(1, groups.Lookup("Program")->m_bSelected);
    EXPECT_EQ(1, groups.Lookup("Help")->m_bSelected);
    EXPECT_EQ(0, groups.Lookup("odd")->m_bSelected);
    groups.SelectForType(1);
    EXPECT_EQ(0, groups.Lookup("Help")->m_bSelected);
    groups.SelectForType(4);
    EXPECT_EQ(1, groups.Lookup("odd")->m_bSelected);
    CSetupPath log(m_folder.Path("shift.log"));
    groups.SaveToProfile(log);
    EXPECT_EQ("Help|Help files|0|1|0", Read(log, "groups", "Help"));
    EXPECT_EQ("Odd||0|0|0", Read(log, "groups", "odd"));
}

TEST_F(InstallModel, TargetKeysAreFoundInAnyCaseAndSavedInSmallLetters) {
    CProgramItemMap items;
    items.LoadFromProfile(Profile("[targets]\r\nSHIFT.EXE=3|70000|1|Shiftwell|/x|shift.ico|\r\n"
                                  "README.TXT=0|0|0|Read Me\r\n"));
    CProgramItem* item = items.Lookup("Shift.Exe");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ("shift.exe", item->m_strKey);
    EXPECT_EQ(3, item->m_nIconNumber);
    EXPECT_EQ(4464, item->m_nNumber2);
    EXPECT_EQ(1, item->m_bRunMinimized);
    EXPECT_EQ("Shiftwell", item->m_strTitle);
    EXPECT_EQ("/x", item->m_strArguments);
    EXPECT_EQ("shift.ico", item->m_strIconFile);
    EXPECT_EQ(nullptr, items.Lookup("shift"));
    item->m_path = CSetupPath("C:\\SHIFT\\SHIFT.EXE");
    // Only items whose file was installed are written.
    CSetupPath log(m_folder.Path("shift.log"));
    items.SaveToProfile(log);
    EXPECT_EQ(std::vector<std::string>{"shift.exe"}, KeysOf(log, "targets"));
    EXPECT_EQ("3|4464|1|Shiftwell|/x|shift.ico|C:\\SHIFT\\SHIFT.EXE",
              Read(log, "targets", "shift.exe"));
}

TEST_F(InstallModel, DiskettesLeaveUnlistedSlotsEmpty) {
    CDisketteArray diskettes;
    diskettes.LoadFromProfile(Profile("[diskettes]\r\n1=Disk 1|first\r\n3=Disk 3\r\n"
                                      "-1=negative\r\n100000=far away\r\n"));
    EXPECT_EQ(4u, diskettes.GetSize());
    ASSERT_NE(nullptr, diskettes.GetLabel(1));
    EXPECT_EQ("Disk 1", *diskettes.GetLabel(1));
    EXPECT_EQ("first", diskettes.GetAt(1)->second);
    EXPECT_EQ(nullptr, diskettes.GetLabel(2));
    EXPECT_EQ("Disk 3", *diskettes.GetLabel(3));
    EXPECT_EQ(nullptr, diskettes.GetLabel(0));
    EXPECT_EQ(nullptr, diskettes.GetLabel(-1));
    EXPECT_EQ(nullptr, diskettes.GetLabel(4));
    diskettes.SetAt(3, "Again", "");
    EXPECT_EQ("Again", *diskettes.GetLabel(3));
}

// ---- the install plan

TEST_F(InstallModel, FileListValueDescribesAPlainFile) {
    CSetupMultiFile record;
    ParseFileListValue(record, "1000|0|1|2|0|");
    EXPECT_EQ(1000, record.m_nSize);
    EXPECT_EQ(kSourcePlainFile, record.m_nKind);
    EXPECT_EQ(1, record.m_nFileCount);
    EXPECT_EQ(2, record.m_nDiskette);
    EXPECT_EQ(0, record.m_bAfterUnmarked);
    EXPECT_EQ(0, record.m_nDestinationId);
    EXPECT_EQ(4096u, record.SpaceNeeded(4096));
    EXPECT_EQ(1000u, record.SpaceNeeded(0));
    record.m_nFileCount = 3;
    EXPECT_EQ(7144u, record.SpaceNeeded(4096));
    ParseFileListValue(record, "-5|1|-2|-3|-1|text");
    EXPECT_EQ(3, record.m_nDiskette);
    EXPECT_EQ(1, record.m_bAfterUnmarked);
    EXPECT_EQ("text", record.m_strText);
    EXPECT_EQ(0u, record.SpaceNeeded(512)); // a negative size and count take nothing
}

TEST_F(InstallModel, PlanOrdersByDisketteWithMarkedRecordsLast) {
    CSetupPath file = Profile("[groups]\r\nMain=Main||1|1|1\r\n"
                              "[Main]\r\ntwo.dat=1|0|1|2|0|\r\nmarked.dat=1|0|1|-1|0|\r\n"
                              "one.dat=1|0|1|1|0|\r\nalso1.dat=1|0|1|1|0|\r\n");
    CFileGroupMap groups;
    groups.LoadFromProfile(file);
    CInstallPlan plan;
    plan.LoadFileLists(file, groups);
    std::vector<std::string> order;
    for (const auto& record : plan.GetRecords())
        order.push_back(record->m_strSourceName);
    EXPECT_EQ((std::vector<std::string>{"one.dat", "also1.dat", "marked.dat", "two.dat"}), order);
    EXPECT_EQ(groups.Lookup("Main"), plan.GetRecords().front()->m_pGroup);
}

TEST_F(InstallModel, SpaceNeededCountsSelectedGroupsUnlessAllAreAsked) {
    CSetupPath file = Profile("[groups]\r\nA=A||0|1|0\r\nB=B||0|0|0\r\nC=C||1|1|1\r\n"
                              "[A]\r\na.arc=100000|1|3|1|0|\r\n[B]\r\nb.dat=1000|0|1|1|0|\r\n");
    CFileGroupMap groups;
    groups.LoadFromProfile(file);
    CInstallPlan plan;
    plan.LoadFileLists(file, groups);
    ASSERT_EQ(2u, plan.GetRecords().size()); // group C has no section: no records
    groups.SelectForType(2);
    EXPECT_EQ(100000u, plan.SpaceNeeded(0, false));
    EXPECT_EQ(100000u + 3 * 4096 / 2, plan.SpaceNeeded(4096, false));
    EXPECT_EQ(100000u + 3 * 4096 / 2 + 4096, plan.SpaceNeeded(4096, true));
}

// ---- loading everything

const char kSampleProfile[] = "[destinations]\r\n0=SHIFT|-1|\r\n1=BIN|0|\r\n"
                              "[groups]\r\nProgram=Program||1|1|1\r\n"
                              "[targets]\r\nSHIFT.EXE=0|0|0|Shiftwell|||\r\n"
                              "[diskettes]\r\n1=Disk 1|\r\n"
                              "[Program]\r\nshift.arc=5000|1|2|1|0|\r\n";

struct LoadedModel {
    CDestinationMap destinations;
    CFileGroupMap groups;
    CProgramItemMap items;
    CInstallPlan plan;
    CDisketteArray diskettes;
    CInstallModel Refs() { return {destinations, groups, items, plan, diskettes}; }
};

TEST_F(InstallModel, LoadInstallProfileFillsEveryCollectionAndPumpsAfterEachStep) {
    LoadedModel model;
    int pumps = 0;
    LoadInstallProfile(Profile(kSampleProfile), model.Refs(), nullptr, [&pumps] { ++pumps; });
    EXPECT_EQ(5, pumps);
    EXPECT_EQ(5u, model.destinations.GetCount());
    EXPECT_EQ(1u, model.groups.m_records.size());
    EXPECT_NE(nullptr, model.items.Lookup("shift.exe"));
    EXPECT_EQ(1u, model.plan.GetRecords().size());
    EXPECT_NE(nullptr, model.diskettes.GetLabel(1));
}

TEST_F(InstallModel, LoadInstallProfileWithoutDestinationsThrowsCause0) {
    LoadedModel model;
    try {
        LoadInstallProfile(CSetupPath(m_folder.Path("SETUP.ini")), model.Refs(), nullptr, {});
        FAIL() << "no exception";
    } catch (const CInstallProfileException& e) {
        EXPECT_EQ(kProfileMissing, e.m_nCause);
    }
}

TEST_F(InstallModel, UninstallReadsTheRecordedGroupNameFromSetupIni) {
    std::string installDir = m_folder.Path("SHIFT\\");
    CreateDirectoryA(installDir.c_str(), nullptr);
    CSetupPath log = Profile("[destinations]\r\n0=SHIFT|-1|" + installDir + "\r\n");
    LoadedModel model;
    std::string groupName = "Corvatek Shiftwell";
    LoadInstallProfile(log, model.Refs(), &groupName, {});
    EXPECT_EQ("Corvatek Shiftwell", groupName); // no SETUP.INI: the default stays

    ASSERT_TRUE(WriteRecordedGroupName(installDir, "Tools"));
    EXPECT_EQ("[GroupCreated]\r\nData0=Tools\r\n", ReadFileBytes(installDir + "SETUP.INI"));
    LoadedModel again;
    LoadInstallProfile(log, again.Refs(), &groupName, {});
    EXPECT_EQ("Tools", groupName);

    // Whatever the first key's name is; an empty record keeps the name.
    WriteFileBytes(installDir + "SETUP.INI", "[GroupCreated]\r\nOther=Games\r\nData0=Tools\r\n");
    EXPECT_TRUE(ReadRecordedGroupName(installDir, groupName));
    EXPECT_EQ("Games", groupName);
    WriteFileBytes(installDir + "SETUP.INI", "[GroupCreated]\r\nData0=\r\n");
    EXPECT_FALSE(ReadRecordedGroupName(installDir, groupName));
    EXPECT_EQ("Games", groupName);
}

// ---- the install log

TEST_F(InstallModel, EventKeyHasTheTimeAndTheTickRemainder) {
    struct tm time = {};
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 7;
    EXPECT_EQ("09:05:07:0789", FormatEventKey(time, 123456789u));
    EXPECT_EQ("09:05:07:0000", FormatEventKey(time, 5000u));
    EXPECT_EQ("09:05:07:0999", FormatEventKey(time, 1999u));
    EXPECT_EQ("09:05:07:0295", FormatEventKey(time, 4294967295u));
}

TEST_F(InstallModel, LogEventWritesOneLineIntoEvents) {
    CSetupPath log(m_folder.Path("shift.log"));
    EXPECT_EQ(27, LogEvent(log, "Could not write SMS status."));
    std::vector<std::string> keys = KeysOf(log, kEventSection);
    ASSERT_EQ(1u, keys.size());
    EXPECT_EQ(13u, keys[0].size());
    EXPECT_EQ(':', keys[0][8]);
    EXPECT_EQ('0', keys[0][9]);
    EXPECT_EQ("Could not write SMS status.", Read(log, kEventSection, keys[0].c_str()));
    // Long texts are cut at 511 characters instead of overflowing.
    std::string longText(900, 'z');
    EXPECT_EQ(511, LogEvent(log, "%s", longText.c_str()));
}

TEST_F(InstallModel, SecondInstallationOverwritesTheIdsItWrites) {
    CSetupPath log(m_folder.Path("shift.log"));
    {
        CDestinationMap destinations;
        destinations.LoadFromProfile(Profile("[destinations]\r\n0=SHIFT|-1|\r\n1=OLD|0|\r\n"));
        destinations.SetPath(0, "C:\\FIRST\\");
        destinations.ResolveAll();
        WriteInstallLog(log, destinations, CFileGroupMap(), CProgramItemMap());
    }
    CDestinationMap destinations;
    destinations.LoadFromProfile(Profile("[destinations]\r\n0=SHIFT|-1|\r\n"));
    destinations.SetPath(0, "D:\\SECOND\\");
    WriteInstallLog(log, destinations, CFileGroupMap(), CProgramItemMap());
    EXPECT_EQ("SHIFT|-1|D:\\SECOND\\", Read(log, "destinations", "0"));
    EXPECT_EQ("OLD|0|C:\\FIRST\\OLD\\", Read(log, "destinations", "1"));
    EXPECT_EQ((std::vector<std::string>{"0", "1"}), KeysOf(log, "destinations"));
}

} // namespace
