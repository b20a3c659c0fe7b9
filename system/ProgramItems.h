// The loops that create and remove the program items of the install model (section
// "targets") in the program group. Win32 only; nothing throws, failed items are passed over.
#pragma once

#include "transfer/SetupPath.h"

#include <string>

class CProgramItemMap;
class CShortcutClient;

// Called after each item so that the window stays responsive (the wizard's PumpMessages).
using MessagePump = void (*)();

// Every item with a path becomes a shortcut (or Program Manager item) in `group`: target =
// the item's path, its arguments and title, the icon file joined to installDir when the item
// names one, minimised when the item says so. After each item a separate Program Manager
// conversation sends CreateGroup(group), so the shell shows the group, and `pump` runs.
void CreateProgramItems(const CProgramItemMap& items, const std::string& group,
                        const CSetupPath& installDir, MessagePump pump);

// Removes the item of every entry with a path from `group` (by title), then the group.
void RemoveProgramItems(const CProgramItemMap& items, const std::string& group, MessagePump pump);

// The same loops with a client chosen by the caller (tests: a given shell and folder).
void CreateProgramItemsWith(CShortcutClient& client, const CProgramItemMap& items,
                            const std::string& group, const CSetupPath& installDir,
                            MessagePump pump);
void RemoveProgramItemsWith(CShortcutClient& client, const CProgramItemMap& items,
                            const std::string& group, MessagePump pump);
