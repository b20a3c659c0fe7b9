#include "app/Wizard.h"

#include "app/WizardPage.h"
#include "framework/Exception.h"
#include "framework/ui/WinApp.h"
#include "framework/ui/Wnd.h"

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

namespace {

// More hops than there are page ids: a circle of passed-over pages ends the search.
constexpr int kMaxHops = 64;

PageFactory g_factory = nullptr;
CWizardPage* g_current = nullptr;

std::map<int16_t, std::unique_ptr<CWizardPage>>& Registry() {
    static std::map<int16_t, std::unique_ptr<CWizardPage>> pages;
    return pages;
}

// The page to show for id in the direction of travel, or null; may end setup.
CWizardPage* FindShownPage(int& id, bool forward, bool& endSetup) {
    for (int hop = 0; hop < kMaxHops; ++hop) {
        if (id == kEndOfSetup) {
            endSetup = true;
            return nullptr;
        }
        CWizardPage* page = FindPage(id);
        if (page == nullptr && g_factory != nullptr && id != 0)
            page = g_factory(id);
        if (page == nullptr)
            return nullptr;
        if (page->ShouldShow())
            return page;
        id = forward ? page->m_nNextId : page->m_nBackId;
    }
    return nullptr;
}

} // namespace

void SetPageFactory(PageFactory factory) {
    g_factory = factory;
}

CWizardPage* FindPage(int id) {
    auto it = Registry().find(static_cast<int16_t>(id));
    return it == Registry().end() ? nullptr : it->second.get();
}

CWizardPage* GetCurrentPage() {
    return g_current;
}

void RegisterPage(CWizardPage* page) {
    auto& slot = Registry()[static_cast<int16_t>(page->m_nPageId)];
    std::unique_ptr<CWizardPage> replaced = std::move(slot);
    slot.reset(page);
    if (replaced.get() == page)
        replaced.release();
    // `replaced` deletes the page registered before under the same id.
}

void DestroyAllPages() {
    // The registry is emptied first: a page's destructor may still look pages up.
    auto pages = std::exchange(Registry(), {});
    g_current = nullptr;
    pages.clear();
}

void GoToPage(int id, bool forward) {
    if (id == kEndOfSetup) {
        CWinApp* app = GetApp();
        if (app && app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        return;
    }
    CWizardPage* previous = g_current;
    int previousId = previous ? previous->m_nPageId : 0;

    bool endSetup = false;
    CWizardPage* page = FindShownPage(id, forward, endSetup);
    if (endSetup) {
        GoToPage(kEndOfSetup, forward);
        return;
    }
    if (page == nullptr)
        return;

    if (forward && page->m_nBackId == 0)
        page->m_nBackId = previousId;
    if (page->m_hWnd == nullptr) {
        if (!page->CreatePage())
            ThrowResourceException();
        page->UpdateWindow();
    } else {
        page->ShowWindow(SW_SHOW);
    }
    g_current = page;
    if (previous != nullptr && previous != page) {
        previous->m_bLeft = 1;
        previous->ShowWindow(SW_HIDE);
    }
}
