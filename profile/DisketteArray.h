// The diskettes of the install model (section "diskettes"): a label (shown when setup asks
// for the diskette) and a second text, indexed by diskette number.
#pragma once

#include "transfer/SetupPath.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Diskette numbers are 16-bit in the file lists; keys outside 0..32767 name no diskette
// setup could ever ask for and are ignored, so a wild key cannot grow the array without end.
constexpr int kLargestDiskette = 32767;

class CDisketteArray {
public:
    using Entry = std::pair<std::string, std::string>; // label, second text

    // Stores the pair at index n (growing the array, replacing an existing pair).
    void SetAt(int n, const std::string& label, const std::string& second);
    // The label of diskette n, or null when n is negative, beyond the array or empty.
    const std::string* GetLabel(int n) const;
    const Entry* GetAt(int n) const;
    size_t GetSize() const { return m_entries.size(); }

    // Section "diskettes"; a missing section gives an empty array.
    void LoadFromProfile(const CSetupPath& file);

private:
    std::vector<std::unique_ptr<Entry>> m_entries;
};
