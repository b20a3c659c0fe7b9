// The destination directories of the install model: section "destinations" of the setup
// profile, one record per id (signed 16 bits). Three roots exist from the start: -2 the
// Windows directory, -3 the system directory, -4 the temporary directory. Id 0 is the
// install directory chosen on the destination page; the others hang below their parents.
#pragma once

#include "transfer/SetupPath.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class CDestinationMap;

enum DestinationId : int16_t {
    kDestNone = -1, // not installed / no parent
    kDestInstall = 0,
    kDestWindows = -2,
    kDestSystem = -3,
    kDestTemp = -4,
};

class CDestination {
public:
    CDestination(int16_t id, CDestinationMap* owner) : m_nId(id), m_pOwner(owner) {}

    // Derives the path from the parent's: true when the path is known afterwards (a root
    // keeps what it has; a set path stays unless force). False when the parent is missing
    // or has no path yet.
    bool Resolve(bool force);

    int16_t m_nId;
    std::string m_strName; // subdirectory name below the parent
    int16_t m_nParentId = kDestNone;
    CDestinationMap* m_pOwner; // not owned
    CSetupPath m_path;         // resolved directory; empty until known
};

// Owns its records. Lookups of an id that has no record give null or empty text.
class CDestinationMap {
public:
    CDestinationMap(); // with the three roots
    CDestinationMap(const CDestinationMap&) = delete;
    CDestinationMap& operator=(const CDestinationMap&) = delete;

    CDestination* Lookup(int16_t id) const;
    void SetPath(int16_t id, const std::string& text); // creates the record when needed
    void SetEntry(int16_t id, const std::string& name, int16_t parentId);
    std::string GetPath(int16_t id) const;
    std::string GetName(int16_t id) const;
    size_t GetCount() const { return m_records.size(); }

    // Resolves every record, in as many passes as there are records at most. Throws
    // CInstallProfileException cause 1 when a record still has no path (missing parent,
    // a chain that never reaches a known directory, a cycle). Returns the passes used.
    int ResolveAll();

    // Section "destinations". Throws CInstallProfileException cause 0 when it has no key.
    void LoadFromProfile(const CSetupPath& file);
    // Writes every record with an id of 0 or more as "name|parent|path".
    void SaveToProfile(const CSetupPath& file) const;

    const std::map<int16_t, std::unique_ptr<CDestination>>& Records() const { return m_records; }

private:
    CDestination& FindOrCreate(int16_t id);

    std::map<int16_t, std::unique_ptr<CDestination>> m_records;
};
