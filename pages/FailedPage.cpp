#include "pages/FailedPage.h"
