#include "pages/DestinationPage.h"

#include "framework/ui/DataExchange.h"

void CDestinationPage::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, 1001, m_strLocation);
}
