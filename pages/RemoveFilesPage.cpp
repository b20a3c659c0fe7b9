#include "pages/RemoveFilesPage.h"
