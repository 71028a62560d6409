#pragma once

#include "MenuLayout.h"

#include <QMap>
#include <QWidget>
#include <optional>

class QTimer;

namespace tessaro::app {

class MenuTile;

/// The full-screen home menu ShockwaveFlash1: it draws the menu its layout asset describes and
/// raises the command of each tile the learner picks, by mouse or by keyboard (arrow keys move,
/// Enter or Space picks, Escape raises "quit").
class MenuSurface : public QWidget {
    Q_OBJECT
public:
    explicit MenuSurface(QWidget* parent = nullptr);

    /// Builds the tiles; subjectNames gives the bank's names of subjects 1..5.
    void setMovie(const MenuLayout& layout, const QMap<int, QString>& subjectNames);
    /// Days left to the examination; nothing when no date is set.
    void setCountdown(std::optional<int> daysLeft);
    QString countdownText() const;

    MenuTile* tileFor(const QString& command) const;
    QList<MenuTile*> tiles() const { return m_allTiles; }

signals:
    /// The learner picked a command; the arguments are always empty.
    void FSCommand(const QString& command, const QString& arguments);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MenuTile* addTile(const MenuItem& item, const QString& caption, const QColor& colour);
    void layoutTiles();
    void moveFocus(MenuTile* from, int key);
    int headerHeight() const;
    int footerHeight() const;
    void paintHeader(QPainter& p);
    void paintSections(QPainter& p);

    MenuLayout m_layout;
    QVector<QVector<MenuTile*>> m_columns;
    QVector<MenuTile*> m_footer;
    QList<MenuTile*> m_allTiles;
    QVector<QRect> m_sectionHeads;
    std::optional<int> m_daysLeft;
    QTimer* m_wave = nullptr;
    qreal m_phase = 0.0;
};

} // namespace tessaro::app
