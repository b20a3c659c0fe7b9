#include "pages/UninstallWelcomePage.h"
