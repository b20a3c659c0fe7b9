#include "pages/CompletePage.h"
