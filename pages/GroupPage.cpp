#include "pages/GroupPage.h"
