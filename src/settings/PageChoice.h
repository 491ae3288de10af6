#pragma once

#include <QString>

#include <array>

class SettingsStore;
struct Settings;

inline constexpr int kPageTexts = 18;

/// What the two page dialogs show and give back: the page, then Title1..6, MYCALL1..6 and MYQTH1..6.
struct PageDialogData {
    int page = 1;
    std::array<QString, kPageTexts> texts;
};

/// The stored page and the eighteen texts of the Contents section.
PageDialogData PageDialogDataOf(const Settings& settings);
/// The dialog's page becomes the page in use and the one stored; its texts replace the eighteen.
void TakePageDialogData(Settings& settings, const PageDialogData& data);

/// The choice (0..5) that shows page: page n shows choice n − 1, any other page the sixth.
int ChoiceOfPage(int page);
/// The page a checked choice gives: 1..5, or the Default page for anything else.
int PageOfChoice(int choice);

/// The contact fields take their initial texts and the focus table its factory targets.
void ResetContactFields(Settings& settings);

/// After the load dialog: the page's title, call and QTH become the current ones, the contact
/// starts over, and any page but the Default page is read from the store.
void UseChosenPage(Settings& settings, SettingsStore& store);
/// After the save dialog: the Contents section always, the page sections unless "not save".
void StoreChosenPage(Settings& settings, SettingsStore& store, int wpmFromBox);
