#include "pages/WelcomePage.h"
