#pragma once

#include "resources/Form130.h"
#include "screen/FormGeometry.h"

#include <QHash>

class QWidget;
class QFont;

/// The dialog units of a font: a quarter of its average character width across, an eighth of its
/// height down, so a form keeps its proportions at any font size.
UnitScale DialogUnitsOf(const QFont& font);

/// Creates the controls of a form template as children of parent, each named "c<id>"; the caller
/// places them.
QHash<int, QWidget*> BuildForm(const FormTemplate& form, QWidget* parent);
/// The smaller face push buttons of a form use, for the form's font.
QFont ButtonFont(const QFont& formFont);
