#include "ShapeButton.h"

#include "Look.h"

#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

namespace tessaro::ui {

ShapeButton::ShapeButton(QWidget* parent) : ShapeButton(QString(), parent) {}

ShapeButton::ShapeButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setCursor(Qt::PointingHandCursor);
    setFont(look::songti(14));
    m_hover = new QVariantAnimation(this);
    m_hover->setDuration(140);
    connect(m_hover, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_hoverLevel = value.toReal();
        update();
    });
}

QSize ShapeButton::sizeHint() const {
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, this->text());
    return {std::max(73, text.width() + 28), std::max(25, text.height() + 10)};
}

void ShapeButton::animateHover(bool in) {
    m_hover->stop();
    m_hover->setStartValue(m_hoverLevel);
    m_hover->setEndValue(in ? 1.0 : 0.0);
    m_hover->start();
}

void ShapeButton::enterEvent(QEnterEvent* event) {
    animateHover(true);
    QPushButton::enterEvent(event);
}

void ShapeButton::leaveEvent(QEvent* event) {
    animateHover(false);
    QPushButton::leaveEvent(event);
}

void ShapeButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min(box.height() / 2.0, 9.0);
    QPainterPath shape;
    shape.addRoundedRect(box, radius, radius);

    const bool enabled = isEnabled();
    const bool down = isDown() || isChecked();
    QColor top(250, 252, 255), bottom(206, 222, 242);
    if (!enabled) {
        top = QColor(238, 240, 243);
        bottom = QColor(218, 222, 228);
    } else if (down) {
        top = QColor(178, 203, 234);
        bottom = QColor(214, 228, 246);
    } else {
        top = QColor::fromRgbF(top.redF() * (1 - 0.04 * m_hoverLevel), top.greenF(), 1.0);
        bottom = QColor(206 - int(28 * m_hoverLevel), 222 - int(18 * m_hoverLevel), 242);
    }
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.fillPath(shape, fill);
    QColor border = enabled ? look::kAccent : look::kDisabledText;
    border.setAlphaF(enabled ? 0.55 + 0.35 * m_hoverLevel : 0.5);
    p.setPen(QPen(border, hasFocus() || isDefault() ? 1.6 : 1.0));
    p.drawPath(shape);
    if (hasFocus()) {
        QColor ring = look::kAccentLight;
        ring.setAlphaF(0.6);
        p.setPen(QPen(ring, 1.0, Qt::DotLine));
        p.drawRoundedRect(box.adjusted(3, 3, -3, -3), radius - 3, radius - 3);
    }
    QColor ink = !enabled ? look::kDisabledText : (m_hoverLevel > 0.5 ? look::kAccent : Qt::black);
    p.setPen(ink);
    p.setFont(font());
    p.drawText(rect().translated(0, down ? 1 : 0), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

} // namespace tessaro::ui
