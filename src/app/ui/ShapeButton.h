#pragma once

#include <QPushButton>

class QVariantAnimation;

namespace tessaro::ui {

/// The program's rounded command button (fcShapeBtn, epEfTrBtn): a soft blue gradient that
/// lights up under the pointer, black text, grey text when disabled.
class ShapeButton : public QPushButton {
    Q_OBJECT
public:
    explicit ShapeButton(QWidget* parent = nullptr);
    explicit ShapeButton(const QString& caption, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void animateHover(bool in);

    QVariantAnimation* m_hover = nullptr;
    qreal m_hoverLevel = 0.0;
};

} // namespace tessaro::ui
