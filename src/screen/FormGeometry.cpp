#include "screen/FormGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// A combo box's height in a template counts its dropped list; closed it is an edit row tall.
constexpr int kComboRowUnits = 12;

} // namespace

FormGeometry::FormGeometry(const FormTemplate& form, int textAreaId) : m_form(form) {
    for (const FormControl& c : m_form.controls) {
        if (c.id == textAreaId)
            m_text = &c;
    }
}

QSize FormGeometry::minimumSize(const UnitScale& scale) const {
    return QSize(scale.toX(m_form.width), scale.toY(m_form.height));
}

QHash<int, QRect> FormGeometry::layout(const UnitScale& scale, QSize size, const QHash<int, int>& narrowedBy) const {
    const QSize smallest = minimumSize(scale);
    const double stretch = double(std::max(size.width(), smallest.width())) / smallest.width();
    const int extra = std::max(0, size.height() - smallest.height());
    const int textTop = m_text ? m_text->y : m_form.height;
    const int textBottom = m_text ? m_text->y + m_text->h : m_form.height;
    const auto across = [&](int units) {
        return int(std::lround(scale.toX(units) * stretch));
    };
    QHash<int, QRect> out;
    for (const FormControl& c : m_form.controls) {
        const int left = across(c.x);
        const int right = across(c.x + c.w - narrowedBy.value(c.id));
        const int units = c.kind == FormControl::Combo ? std::min(c.h, kComboRowUnits) : c.h;
        int top = scale.toY(c.y);
        int height = scale.toY(units);
        if (&c == m_text)
            height += extra;
        else if (c.y >= textBottom || (c.y >= textTop && c.y + units >= textBottom))
            top += extra;
        out.insert(c.id, QRect(left, top, right - left, height));
    }
    return out;
}

int FormGeometry::unitWidth(int id) const {
    for (const FormControl& c : m_form.controls) {
        if (c.id == id)
            return c.w;
    }
    return 0;
}
