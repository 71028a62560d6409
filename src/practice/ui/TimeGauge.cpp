#include "TimeGauge.h"

#include <QPainter>
#include <algorithm>

namespace tessaro::practice::ui {

TimeGauge::TimeGauge(QWidget* parent) : QWidget(parent) {
    setObjectName("epIndiGauge1");
    setAccessibleName("答题时间");
    setMinimumWidth(14);
}

void TimeGauge::setValue(int value) {
    value = std::clamp(value, 0, 100);
    if (value == m_value)
        return;
    m_value = value;
    setToolTip(QString("%1%").arg(value));
    update();
}

void TimeGauge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(frame, QColor(24, 32, 44));
    p.setPen(QColor(90, 110, 140));
    p.drawRect(frame);
    constexpr int kSegments = 25; // one segment per four steps
    const QRectF inner = QRectF(frame).adjusted(2, 2, -1, -1);
    const qreal pitch = inner.height() / kSegments;
    for (int i = 0; i < kSegments; ++i) {
        const int step = (i + 1) * 100 / kSegments;
        const bool lit = m_value >= step - 100 / kSegments + 1;
        QColor colour = step > kAlertStep ? QColor(222, 40, 40) : QColor(46, 190, 90);
        if (!lit)
            colour = colour.darker(420);
        const QRectF segment(inner.left(), inner.bottom() - (i + 1) * pitch + 1, inner.width(),
                             pitch - 1.5);
        p.fillRect(segment, colour);
    }
}

} // namespace tessaro::practice::ui
