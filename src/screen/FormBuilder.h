#pragma once

#include "resources/Form130.h"

#include <QHash>
#include <QRect>

class QWidget;
class QFont;

/// Pixels per dialog unit: a quarter of the font's average character width across, an eighth of
/// its height down, so a form keeps its proportions at any font size.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    QRect toPixels(int x, int y, int w, int h) const;

private:
    int m_baseX;
    int m_baseY;
};

/// Creates the controls of a form template as children of parent, each named "c<id>".
QHash<int, QWidget*> BuildForm(const FormTemplate& form, QWidget* parent);
