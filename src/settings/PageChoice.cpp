#include "settings/PageChoice.h"

#include "settings/PageSettings.h"
#include "settings/Settings.h"

PageDialogData PageDialogDataOf(const Settings& settings) {
    PageDialogData data;
    data.page = settings.Select;
    for (int n = 0; n < kDefaultPage; ++n) {
        data.texts[n] = settings.Title[n];
        data.texts[kDefaultPage + n] = settings.MYCALL[n];
        data.texts[2 * kDefaultPage + n] = settings.MYQTH[n];
    }
    return data;
}

void TakePageDialogData(Settings& settings, const PageDialogData& data) {
    settings.Select = data.page;
    settings.page = data.page;
    for (int n = 0; n < kDefaultPage; ++n) {
        settings.Title[n] = data.texts[n];
        settings.MYCALL[n] = data.texts[kDefaultPage + n];
        settings.MYQTH[n] = data.texts[2 * kDefaultPage + n];
    }
}

int ChoiceOfPage(int page) {
    return page >= 1 && page <= kPages ? page - 1 : kDefaultPage - 1;
}

int PageOfChoice(int choice) {
    return choice >= 0 && choice < kPages ? choice + 1 : kDefaultPage;
}

void ResetContactFields(Settings& settings) {
    settings.his = settings.init;
    for (int entry = 0; entry < kFocusEntries; ++entry)
        settings.focusTarget[entry] = DefaultFocusTarget(entry);
}

void UseChosenPage(Settings& settings, SettingsStore& store) {
    const int page = settings.page;
    // A stored number outside the six has no texts of its own.
    const bool named = page >= 1 && page <= kDefaultPage;
    settings.currentTitle = named ? settings.Title[page - 1] : QString();
    settings.currentMYCALL = named ? settings.MYCALL[page - 1] : QString();
    settings.currentMYQTH = named ? settings.MYQTH[page - 1] : QString();
    ResetContactFields(settings);
    if (page != kDefaultPage)
        LoadPageSettings(settings, store);
}

void StoreChosenPage(Settings& settings, SettingsStore& store, int wpmFromBox) {
    SaveContents(settings, store);
    if (settings.page != kDefaultPage)
        SavePageSettings(settings, store, wpmFromBox);
}
