#include "profile/InstallProfileException.h"

#include "res/StringIds.h"

#include <iterator>

namespace {

// One row serves every cause.
const ErrorTextEntry kInstallProfileTable[] = {
    {-1, IDS_PROFILE_DAMAGED, IDS_PROFILE_DAMAGED_TEXT},
};

} // namespace

void CInstallProfileException::LookupErrorText() const {
    ApplyTable(kInstallProfileTable, std::size(kInstallProfileTable));
    ApplyBaseTable();
}
