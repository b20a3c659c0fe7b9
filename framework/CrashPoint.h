// Crash points: the instants at which the copy engine, the removal and the writers of the
// program's own files pass from one step to the next. A test program can install a hook here to
// stop the program at such an instant, as a power loss would, and look at what the files hold. The
// program itself installs no hook, so passing a point costs one test of a pointer. Portable.
#pragma once

enum class CrashPoint : char {
    kBlockRead = 'b',       // another 4096 source bytes read: a member is half written
    kMemberWritten = 'w',   // a member is expanded and stamped, not yet in place
    kMemberPlaced = 'p',    // a member is in place (or kept, or waits for the restart)
    kProfileWrite = 'i',    // an INI file of the program's own is about to be written
    kProfileCopyMade = 'c', // its new content is complete beside it, not yet in its place
    kProfileReplaced = 'r', // the new content has taken the file's place
    // The removal of an installation, after each of its steps:
    kFileRemoved = 'd',     // a logged file or a data file deleted (or found gone)
    kCountReleased = 'n',   // a shared-use count lowered
    kRegistryRemoved = 'k', // a registry tree, value or entry deleted, a component unregistered
    kItemRemoved = 'g',     // a program item or the program group removed
    kFolderRemoved = 'f',   // an empty folder removed
};

using CrashPointHook = void (*)(CrashPoint point);

// Installs the hook (null removes it) and returns the one before. Not thread-safe: install it
// before the work starts.
CrashPointHook SetCrashPointHook(CrashPointHook hook);

// Calls the hook, if there is one.
void PassCrashPoint(CrashPoint point);
