#pragma once

#include <QAbstractButton>
#include <QColor>

class QVariantAnimation;

namespace tessaro::app {

/// One tile of the home menu: a badge, a caption and a detail line, lifting under the pointer
/// and sinking when pressed.
class MenuTile : public QAbstractButton {
    Q_OBJECT
public:
    MenuTile(const QString& caption, const QString& detail, const QString& badge,
             const QColor& colour, QWidget* parent = nullptr);

    const QString& command() const { return m_command; }
    void setCommand(const QString& command) { m_command = command; }
    void setCompact(bool compact) { m_compact = compact; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void lift(bool up);

    QString m_command;
    QString m_detail;
    QString m_badge;
    QColor m_colour;
    bool m_compact = false;
    bool m_hovered = false;
    qreal m_lift = 0.0;
    QVariantAnimation* m_animation = nullptr;
};

} // namespace tessaro::app
