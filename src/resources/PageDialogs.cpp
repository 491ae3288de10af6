#include "resources/PageDialogs.h"

const PageDialogTemplate& LoadDialog146() {
    static const PageDialogTemplate dialog{" Tarvo  LOAD  parameters             HELLO OM YL !           de Zorvik/4",
                                           "Source", "&Default", true};
    return dialog;
}

const PageDialogTemplate& SaveDialog145() {
    static const PageDialogTemplate dialog{" Tarvo  SAVE  parameters             73 88 CU AGN !           de Zorvik/4",
                                           "Destination", "&not save", false};
    return dialog;
}
