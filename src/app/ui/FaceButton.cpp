#include "FaceButton.h"

#include "Look.h"

#include <QPainter>

namespace tessaro::ui {

FaceButton::FaceButton(QWidget* parent) : QAbstractButton(parent) {
    setCursor(Qt::PointingHandCursor);
    setFont(look::songti(13, true));
}

void FaceButton::setFaces(const QPixmap& up, const QPixmap& down) {
    m_up = up;
    m_down = down;
    updateGeometry();
    update();
}

QSize FaceButton::sizeHint() const {
    if (!m_up.isNull())
        return m_up.deviceIndependentSize().toSize();
    return {48, 28};
}

void FaceButton::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void FaceButton::leaveEvent(QEvent* event) {
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void FaceButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const bool down = isChecked() || isDown();
    const QPixmap& face = down && !m_down.isNull() ? m_down : m_up;
    if (!isEnabled())
        p.setOpacity(0.45);
    if (!face.isNull())
        p.drawPixmap(rect(), face);
    if (m_hovered && isEnabled() && !down) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 60));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    }
    p.setOpacity(1.0);
    p.setFont(font());
    p.setPen(!isEnabled() ? look::kDisabledText : (down ? Qt::white : look::kInk));
    p.drawText(rect(), Qt::AlignCenter, text());
    if (hasFocus()) {
        p.setPen(QPen(look::kAccentLight, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

} // namespace tessaro::ui
