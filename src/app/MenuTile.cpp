#include "MenuTile.h"

#include "ui/Look.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

namespace tessaro::app {

MenuTile::MenuTile(const QString& caption, const QString& detail, const QString& badge,
                   const QColor& colour, QWidget* parent)
    : QAbstractButton(parent), m_detail(detail), m_badge(badge), m_colour(colour) {
    setText(caption);
    setAccessibleName(caption);
    setAccessibleDescription(detail);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    m_animation = new QVariantAnimation(this);
    m_animation->setDuration(160);
    m_animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_lift = value.toReal();
        update();
    });
    connect(this, &QAbstractButton::pressed, this, [this] { update(); });
    connect(this, &QAbstractButton::released, this, [this] { update(); });
}

void MenuTile::lift(bool up) {
    m_animation->stop();
    m_animation->setStartValue(m_lift);
    m_animation->setEndValue(up ? 1.0 : 0.0);
    m_animation->start();
}

void MenuTile::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    lift(true);
    QAbstractButton::enterEvent(event);
}

void MenuTile::leaveEvent(QEvent* event) {
    m_hovered = false;
    lift(hasFocus());
    QAbstractButton::leaveEvent(event);
}

void MenuTile::focusInEvent(QFocusEvent* event) {
    lift(true);
    QAbstractButton::focusInEvent(event);
}

void MenuTile::focusOutEvent(QFocusEvent* event) {
    lift(m_hovered);
    QAbstractButton::focusOutEvent(event);
}

void MenuTile::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        animateClick();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void MenuTile::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool enabled = isEnabled();
    const bool down = isDown();
    const qreal rise = down ? 0.0 : 2.0 * m_lift;
    QRectF card = QRectF(rect()).adjusted(3, 3 - rise + 2, -3, -3 - rise);
    const qreal radius = m_compact ? card.height() / 2 : 10;

    // Shadow grows as the tile lifts.
    for (int i = 3; i >= 1; --i) {
        QColor shadow(10, 30, 60, int((10 + 16 * m_lift) / i));
        p.setPen(Qt::NoPen);
        p.setBrush(shadow);
        p.drawRoundedRect(card.translated(0, 1 + i + rise), radius + i, radius + i);
    }

    QPainterPath shape;
    shape.addRoundedRect(card, radius, radius);
    QColor face = enabled ? QColor(255, 255, 255) : QColor(240, 242, 245);
    if (down)
        face = QColor(232, 239, 249);
    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, face);
    fill.setColorAt(1, face.darker(enabled ? 104 : 101));
    p.fillPath(shape, fill);
    QColor edge = enabled ? m_colour : ui::look::kDisabledText;
    edge.setAlphaF(0.25 + 0.55 * m_lift);
    p.setPen(QPen(edge, hasFocus() ? 2.0 : 1.0));
    p.drawPath(shape);

    const qreal badgeSize = m_compact ? card.height() - 10 : std::min(card.height() - 16, 38.0);
    QRectF badge(card.left() + 10, card.center().y() - badgeSize / 2, badgeSize, badgeSize);
    QColor badgeColour = enabled ? m_colour : ui::look::kDisabledText;
    QLinearGradient badgeFill(badge.topLeft(), badge.bottomRight());
    badgeFill.setColorAt(0, badgeColour.lighter(118 + int(14 * m_lift)));
    badgeFill.setColorAt(1, badgeColour.darker(108));
    p.setPen(Qt::NoPen);
    p.setBrush(badgeFill);
    p.drawEllipse(badge);
    p.setPen(Qt::white);
    p.setFont(ui::look::songti(int(badgeSize * 0.5), true));
    p.drawText(badge, Qt::AlignCenter, m_badge);

    const qreal textLeft = badge.right() + 10;
    QRectF textBox(textLeft, card.top(), card.right() - textLeft - 8, card.height());
    const QColor ink = enabled ? ui::look::kInk : ui::look::kDisabledText;
    if (m_detail.isEmpty() || m_compact || card.height() < 46) {
        // Small tiles show the caption alone, on two lines when it is long.
        p.setPen(enabled && m_lift > 0.5 ? m_colour.darker(115) : ink);
        int size = card.height() < 46 && !m_compact ? 14 : 15;
        QFont captionFont = ui::look::sans(size, true);
        while (size > 12 && QFontMetrics(captionFont).horizontalAdvance(text()) > textBox.width())
            captionFont = ui::look::sans(--size, true);
        p.setFont(captionFont);
        p.drawText(textBox, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, text());
        return;
    }
    QRectF captionBox = textBox.adjusted(0, card.height() * 0.14, 0, -card.height() * 0.5);
    QRectF detailBox = textBox.adjusted(0, card.height() * 0.52, 0, -card.height() * 0.08);
    p.setPen(enabled && m_lift > 0.5 ? m_colour.darker(115) : ink);
    // Long bank names shrink a little; names longer still take both lines instead of the detail.
    int size = card.height() > 52 ? 17 : 15;
    QFont captionFont = ui::look::sans(size, true);
    while (size > 14 && QFontMetrics(captionFont).horizontalAdvance(text()) > captionBox.width())
        captionFont = ui::look::sans(--size, true);
    p.setFont(captionFont);
    if (p.fontMetrics().horizontalAdvance(text()) > captionBox.width()) {
        p.drawText(textBox.adjusted(0, 4, 0, -4),
                   Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap, text());
        return;
    }
    p.drawText(captionBox, Qt::AlignBottom | Qt::AlignLeft, text());
    p.setPen(enabled ? QColor(96, 110, 128) : ui::look::kDisabledText);
    p.setFont(ui::look::sans(12));
    p.drawText(detailBox, Qt::AlignTop | Qt::AlignLeft,
               p.fontMetrics().elidedText(m_detail, Qt::ElideRight, int(detailBox.width())));
}

} // namespace tessaro::app
