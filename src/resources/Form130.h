#pragma once

#include <QList>

/// One control of a form template: positions in dialog units.
struct FormControl {
    enum Kind { PushButton, CheckBox, Edit, TextArea, Label, Progress, Combo, UpDown };
    enum Flag { None = 0, Hidden = 1, UpperCase = 2 };
    int id;
    Kind kind;
    const char* caption;
    int x, y, w, h;
    int flags;
};

/// The operating screen: 350 x 105 dialog units.
struct FormTemplate {
    int width;
    int height;
    QList<FormControl> controls;
};

const FormTemplate& Form130();
