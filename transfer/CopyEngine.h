// The copy run: installs the records of the selected file groups in plan order (ascending
// diskette, unmarked before marked records of a diskette). An error ends its record and the
// user decides whether the run goes on; a cancel ends the run after the current member.
// Win32 only.
#pragma once

class CCopyEnvironment;
class CCopyProgress;
class CInstallPlan;
class CSetupMultiFile;

// The whole run. False when it failed or was cancelled (the success flag is then clear);
// true after FinishCopy. Never throws for a record's trouble.
bool RunCopy(CInstallPlan& plan, CCopyEnvironment& environment, CCopyProgress& progress);

// One record: asks for its diskette, opens it and installs its members (archive) or the
// file itself (plain file). Catches everything a record can throw.
void InstallTarget(CSetupMultiFile& record, CCopyEnvironment& environment, CCopyProgress& progress);
// Every member of the open archive, in sequence; members for destination -1 are read past.
void InstallMembers(CSetupMultiFile& record, CCopyEnvironment& environment,
                    CCopyProgress& progress);
// The open plain file as one stored member of exactly the record's size.
void InstallPlainFile(CSetupMultiFile& record, CCopyEnvironment& environment,
                      CCopyProgress& progress);
