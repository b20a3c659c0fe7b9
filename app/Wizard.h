// Navigation of the wizard: the page registry, the current page and GoToPage. Win32 only.
//
// Pages are created on first use by the page factory (installed with SetPageFactory),
// registered by id and owned by the registry until DestroyAllPages. GoToPage passes over
// pages whose ShouldShow is false in the direction of travel; GoToPage(-1) ends setup by
// destroying the background window.
#pragma once

#include <windows.h>

class CWizardPage;

// Posted to a page when it is shown; its handler runs the page's automatic work.
constexpr UINT WM_RUNPAGE = WM_USER + 201;

constexpr bool kForward = true;
constexpr bool kBackward = false;
constexpr int kEndOfSetup = -1;

using PageFactory = CWizardPage* (*)(int pageId);

// The function that constructs the page of an id (null for ids without a page).
void SetPageFactory(PageFactory factory);

// Moves the wizard to page id. Throws CResourceException when the page's window cannot be
// created. An id that leads to no page (0, an unknown id, a circle of passed-over pages)
// leaves the wizard where it is.
void GoToPage(int id, bool forward);
// The registered page of an id, or null.
CWizardPage* FindPage(int id);
// The page last shown by GoToPage, or null.
CWizardPage* GetCurrentPage();

// Takes ownership of page under its id; a page already registered there is deleted.
void RegisterPage(CWizardPage* page);
// Deletes every registered page and empties the registry.
void DestroyAllPages();
