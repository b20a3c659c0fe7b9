#include "profile/InstallProfileException.h"

#include <iterator>

namespace {

// One row serves every cause: 10 "Incomplete or missing profile.", 13 its explanation.
const ErrorTextEntry kInstallProfileTable[] = {
    {-1, 10, 13},
};

} // namespace

void CInstallProfileException::LookupErrorText() const {
    ApplyTable(kInstallProfileTable, std::size(kInstallProfileTable));
    ApplyBaseTable();
}
