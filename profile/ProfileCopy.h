// Writes into one of the program's own INI files (the install log, SETUP.INI) that never leave
// it cut short. The private-profile functions rewrite a file in place: truncated first, then
// written section by section, so a power loss in between leaves a part of it or nothing. Here
// the writes go to a copy beside the file, made with the file's bytes, and the copy then
// takes the file's place in one step; a power loss leaves the file as it was before the
// writes or as it is after all of them (and at worst a stray copy of eight hexadecimal digits
// beside it). The writes still go through the private-profile functions, so the file ends up
// byte for byte as writing it directly would leave it. Win32 only. Never throws except
// std::bad_alloc.
#pragma once

#include "transfer/SetupPath.h"

class CProfileCopy {
public:
    // Makes the copy. When it cannot be made (no room, a folder that cannot be written), the
    // writes go to the file itself, as before.
    explicit CProfileCopy(const CSetupPath& file);
    // Deletes a copy that was not put in place.
    ~CProfileCopy();
    CProfileCopy(const CProfileCopy&) = delete;
    CProfileCopy& operator=(const CProfileCopy&) = delete;

    // Where the writes go: the copy, or the file itself when there is no copy.
    const CSetupPath& GetPath() const { return m_bHasCopy ? m_copy : m_file; }
    // Puts the copy in the file's place (once). False when it could not; the file then stays
    // as it was and the copy is deleted (unless the file is gone: then the copy stays).
    bool Commit();

private:
    CSetupPath m_file;
    CSetupPath m_copy;
    bool m_bHasCopy = false;
};
