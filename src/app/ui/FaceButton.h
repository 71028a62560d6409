#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace tessaro::ui {

/// A picture button with an up and a down face and its caption drawn over them, the kind the
/// question-number and question-type boards are made of. Checked shows the down face.
class FaceButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit FaceButton(QWidget* parent = nullptr);

    void setFaces(const QPixmap& up, const QPixmap& down);
    const QPixmap& upFace() const { return m_up; }
    const QPixmap& downFace() const { return m_down; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap m_up;
    QPixmap m_down;
    bool m_hovered = false;
};

} // namespace tessaro::ui
