#include "archive/ArchiveExceptions.h"

#include <iterator>

namespace {

// No -1 entries: a cause outside the tables gets the family's generic texts.
const ErrorTextEntry kMultiFileTable[] = {
    {2, 27650, 27651}, {3, 27652, 27653}, {4, 27654, 27655}, {5, 27656, 27657}, {1, 27648, 27649},
};

const ErrorTextEntry kZLibTable[] = {
    {1, 27658, 27659},
    {2, 27660, 27659},
    {3, 27661, 27659},
    {4, 27662, 27659},
};

} // namespace

void CMultiFileException::LookupErrorText() const {
    ApplyTable(kMultiFileTable, std::size(kMultiFileTable));
    ApplyBaseTable();
}

void CZLibException::LookupErrorText() const {
    ApplyTable(kZLibTable, std::size(kZLibTable));
    ApplyBaseTable();
}
