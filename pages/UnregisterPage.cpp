#include "pages/UnregisterPage.h"
