// The operating screen's size: its controls placed for the window, and the zoom of its font.
#include "screen/CTarvoFormView.h"

#include "screen/FormBuilder.h"

#include <QPushButton>

#include <algorithm>

namespace {

constexpr int kZoomMin = 50;
constexpr int kZoomMax = 300;

} // namespace

void CTarvoFormView::relayout() {
    const UnitScale scale = DialogUnitsOf(font());
    setMinimumSize(m_geometry.minimumSize(scale));
    QHash<int, int> narrowed;
    // The text line gives up the room the frequency display takes at its right end.
    if (!control(Ctl::Freq)->isHidden())
        narrowed.insert(Ctl::InputLine, m_geometry.unitWidth(Ctl::Freq) + m_geometry.unitWidth(Ctl::Mode) + 2);
    const QHash<int, QRect> places = m_geometry.layout(scale, size(), narrowed);
    for (auto it = places.cbegin(); it != places.cend(); ++it)
        control(it.key())->setGeometry(it.value());
}

void CTarvoFormView::setZoom(int percent) {
    percent = std::clamp(percent, kZoomMin, kZoomMax);
    if (percent == m_zoom)
        return;
    m_zoom = percent;
    QFont zoomed = m_baseFont;
    if (m_baseFont.pointSizeF() > 0)
        zoomed.setPointSizeF(m_baseFont.pointSizeF() * percent / 100);
    else
        zoomed.setPixelSize(std::max(1, m_baseFont.pixelSize() * percent / 100));
    setFont(zoomed);
    // Under the form's style sheet a control keeps the font it was polished with, and buttons carry a
    // smaller face of their own: each is given its font.
    for (QWidget* widget : std::as_const(m_controls))
        widget->setFont(qobject_cast<QPushButton*>(widget) ? ButtonFont(zoomed) : zoomed);
    relayout();
}

void CTarvoFormView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}
