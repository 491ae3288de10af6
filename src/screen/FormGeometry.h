#pragma once

#include "resources/Form130.h"

#include <QHash>
#include <QRect>
#include <QSize>

/// Pixels per dialog unit: a quarter of the font's average character width across, an eighth of
/// its height down.
struct UnitScale {
    int baseX = 8;
    int baseY = 16;
    int toX(int units) const { return units * baseX / 4; }
    int toY(int units) const { return units * baseY / 8; }
};

/// Where the controls of a form stand at a size: every column stretches with the width, the text
/// area takes all the extra height, and what stands below it, or ends where it ends, moves down
/// with its bottom. At the form's own size each control stands where its template puts it.
class FormGeometry {
public:
    FormGeometry(const FormTemplate& form, int textAreaId);

    /// The form's own size: the smallest it is laid out at.
    QSize minimumSize(const UnitScale& scale) const;
    /// Each control's place at size; narrowedBy takes dialog units off the right of a control.
    QHash<int, QRect> layout(const UnitScale& scale, QSize size, const QHash<int, int>& narrowedBy = {}) const;
    /// A control's width in dialog units, 0 for none of the form's.
    int unitWidth(int id) const;

private:
    const FormTemplate& m_form;
    const FormControl* m_text = nullptr;
};
