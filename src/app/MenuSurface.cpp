#include "MenuSurface.h"

#include "MenuTile.h"
#include "ui/Look.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QTimer>
#include <cmath>

namespace tessaro::app {

namespace {
constexpr int kMargin = 28;
constexpr int kGap = 18;
constexpr int kSectionHead = 34;
} // namespace

MenuSurface::MenuSurface(QWidget* parent) : QWidget(parent) {
    setObjectName("ShockwaveFlash1");
    setFocusPolicy(Qt::StrongFocus);
    m_wave = new QTimer(this);
    m_wave->setInterval(60);
    connect(m_wave, &QTimer::timeout, this, [this] {
        m_phase += 0.045;
        update(0, 0, width(), headerHeight());
    });
}

void MenuSurface::setMovie(const MenuLayout& layout, const QMap<int, QString>& subjectNames) {
    qDeleteAll(m_allTiles);
    m_allTiles.clear();
    m_columns.clear();
    m_footer.clear();
    m_layout = layout;
    for (const MenuSection& section : layout.sections) {
        QVector<MenuTile*> column;
        for (const MenuItem& item : section.items) {
            QString caption = item.caption;
            bool available = true;
            if (item.subject > 0) {
                available = subjectNames.contains(item.subject);
                caption = available ? subjectNames.value(item.subject) : item.caption;
            } else if (item.paperKind > 0 && item.paperKind <= layout.paperTitles.size() &&
                       !layout.paperTitles.at(item.paperKind - 1).isEmpty()) {
                caption = layout.paperTitles.at(item.paperKind - 1);
            }
            MenuTile* tile = addTile(item, caption, section.colour);
            tile->setEnabled(available);
            column.push_back(tile);
        }
        m_columns.push_back(column);
    }
    for (const MenuItem& item : layout.footer) {
        MenuTile* tile = addTile(item, item.caption, QColor(70, 96, 130));
        tile->setCompact(true);
        m_footer.push_back(tile);
    }
    layoutTiles();
    for (MenuTile* tile : m_allTiles) {
        if (tile->isEnabled()) {
            tile->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
    update();
}

MenuTile* MenuSurface::addTile(const MenuItem& item, const QString& caption, const QColor& colour) {
    const QString badge = item.badge.isEmpty() ? caption.left(1) : item.badge;
    auto* tile = new MenuTile(caption, item.detail, badge, colour, this);
    tile->setObjectName("menu_" + item.command);
    tile->setCommand(item.command);
    tile->setToolTip(item.key.isEmpty() ? caption : QString("%1（%2）").arg(caption, item.key));
    if (!item.key.isEmpty()) {
        auto* shortcut = new QShortcut(QKeySequence(item.key), tile);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, tile, [tile] {
            if (tile->isEnabled())
                tile->animateClick();
        });
    }
    connect(tile, &QAbstractButton::clicked, this,
            [this, command = item.command] { emit FSCommand(command, QString()); });
    tile->installEventFilter(this);
    tile->show();
    m_allTiles.push_back(tile);
    return tile;
}

void MenuSurface::setCountdown(std::optional<int> daysLeft) {
    m_daysLeft = daysLeft;
    update(0, 0, width(), headerHeight());
}

QString MenuSurface::countdownText() const {
    if (!m_daysLeft)
        return "尚未设定考试日期";
    if (*m_daysLeft < 0)
        return "考试已结束！";
    if (*m_daysLeft == 0)
        return "祝考试成功！";
    return QString("距离考试还有 %1 天").arg(std::min(*m_daysLeft, 999));
}

MenuTile* MenuSurface::tileFor(const QString& command) const {
    for (MenuTile* tile : m_allTiles) {
        if (tile->command() == command)
            return tile;
    }
    return nullptr;
}

int MenuSurface::headerHeight() const {
    return std::max(112, height() / 5);
}
int MenuSurface::footerHeight() const {
    return height() < 700 ? 58 : 68;
}

void MenuSurface::layoutTiles() {
    m_sectionHeads.clear();
    const int columns = std::max<int>(1, m_columns.size());
    double weights = 0;
    for (int c = 0; c < m_columns.size(); ++c)
        weights += m_layout.sections[c].weight;
    const double unit = (width() - 2 * kMargin - (columns - 1) * kGap) / std::max(weights, 0.2);
    const int top = headerHeight() + 18;
    const int bottom = height() - footerHeight() - 8;
    int most = 1;
    for (const auto& column : m_columns)
        most = std::max<int>(most, column.size());
    const int step = std::max(40, (bottom - top - kSectionHead) / most);
    const int tileHeight = std::min(step - 6, 70);
    double left = kMargin;
    for (int c = 0; c < m_columns.size(); ++c) {
        const int columnWidth = int(unit * m_layout.sections[c].weight);
        m_sectionHeads.push_back(QRect(int(left), top, columnWidth, kSectionHead - 6));
        for (int r = 0; r < m_columns[c].size(); ++r)
            m_columns[c][r]->setGeometry(int(left), top + kSectionHead + r * step, columnWidth,
                                         tileHeight);
        left += columnWidth + kGap;
    }
    const int footerTop = height() - footerHeight() + 8;
    const int footerWidth = 150;
    int x = width() - kMargin - m_footer.size() * (footerWidth + 10) + 10;
    for (MenuTile* tile : m_footer) {
        tile->setGeometry(x, footerTop, footerWidth, footerHeight() - 18);
        x += footerWidth + 10;
    }
}

void MenuSurface::resizeEvent(QResizeEvent* event) {
    layoutTiles();
    QWidget::resizeEvent(event);
}

void MenuSurface::showEvent(QShowEvent* event) {
    m_wave->start();
    if (!m_allTiles.isEmpty() && !focusWidget())
        m_allTiles.front()->setFocus();
    QWidget::showEvent(event);
}

void MenuSurface::hideEvent(QHideEvent* event) {
    m_wave->stop();
    QWidget::hideEvent(event);
}

void MenuSurface::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit FSCommand("quit", QString());
        return;
    }
    QWidget::keyPressEvent(event);
}

bool MenuSurface::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
            key == Qt::Key_Right) {
            moveFocus(static_cast<MenuTile*>(watched), key);
            return true;
        }
        if (key == Qt::Key_Escape) {
            emit FSCommand("quit", QString());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MenuSurface::moveFocus(MenuTile* from, int key) {
    // The footer acts as one more row below the columns.
    QVector<QVector<MenuTile*>> rows = m_columns;
    int column = -1, row = -1;
    for (int c = 0; c < rows.size(); ++c) {
        if (int r = rows[c].indexOf(from); r >= 0) {
            column = c;
            row = r;
        }
    }
    auto focusIfEnabled = [](MenuTile* tile) {
        if (tile && tile->isEnabled())
            tile->setFocus(Qt::TabFocusReason);
        return tile && tile->isEnabled();
    };
    if (column < 0) { // in the footer
        const int at = m_footer.indexOf(from);
        if (key == Qt::Key_Left && at > 0)
            focusIfEnabled(m_footer[at - 1]);
        else if (key == Qt::Key_Right && at + 1 < m_footer.size())
            focusIfEnabled(m_footer[at + 1]);
        else if (key == Qt::Key_Up && !rows.isEmpty() && !rows.last().isEmpty())
            focusIfEnabled(rows.last().last());
        return;
    }
    if (key == Qt::Key_Down) {
        for (int r = row + 1; r < rows[column].size(); ++r) {
            if (focusIfEnabled(rows[column][r]))
                return;
        }
        if (!m_footer.isEmpty())
            focusIfEnabled(m_footer.front());
    } else if (key == Qt::Key_Up) {
        for (int r = row - 1; r >= 0; --r) {
            if (focusIfEnabled(rows[column][r]))
                return;
        }
    } else {
        const int step = key == Qt::Key_Left ? -1 : 1;
        for (int c = column + step; c >= 0 && c < rows.size(); c += step) {
            if (rows[c].isEmpty())
                continue;
            if (focusIfEnabled(rows[c][std::min<int>(row, rows[c].size() - 1)]))
                return;
        }
    }
}

void MenuSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, height());
    body.setColorAt(0, m_layout.backgroundBottom.lighter(103));
    body.setColorAt(1, m_layout.backgroundBottom.darker(104));
    p.fillRect(rect(), body);
    paintHeader(p);
    paintSections(p);

    // Footer rule and motto.
    const int footerTop = height() - footerHeight();
    p.setPen(QColor(180, 194, 212));
    p.drawLine(kMargin, footerTop, width() - kMargin, footerTop);
    p.setPen(QColor(92, 108, 130));
    p.setFont(ui::look::songti(14));
    p.drawText(QRect(kMargin, footerTop, width() / 2, footerHeight()),
               Qt::AlignVCenter | Qt::AlignLeft, m_layout.motto);
}

void MenuSurface::paintHeader(QPainter& p) {
    const int h = headerHeight();
    const QColor top = m_layout.backgroundTop;
    QLinearGradient band(0, 0, width(), h);
    band.setColorAt(0, top.darker(115));
    band.setColorAt(1, top.lighter(125));
    p.fillRect(QRect(0, 0, width(), h), band);

    // Three slow waves give the band its life.
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath wave;
        const qreal base = h * (0.62 + 0.1 * layer);
        wave.moveTo(0, h);
        for (int x = 0; x <= width(); x += 8) {
            const qreal y =
                base + std::sin(x / (120.0 + 40 * layer) + m_phase * (1 + 0.4 * layer) + layer) *
                           (8 + 3 * layer);
            wave.lineTo(x, y);
        }
        wave.lineTo(width(), h);
        wave.closeSubpath();
        p.fillPath(wave, QColor(255, 255, 255, 18 + 10 * layer));
    }

    const int titleSize = std::max(34, h / 3);
    p.setPen(Qt::white);
    QFont title = ui::look::sans(titleSize, true);
    title.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(title);
    const QRect titleBox(kMargin + 4, int(h * 0.12), width() / 2, int(titleSize * 1.3));
    p.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, m_layout.title);
    p.setPen(QColor(214, 228, 246));
    p.setFont(ui::look::songti(std::max(15, h / 9)));
    p.drawText(QRect(kMargin + 6, titleBox.bottom() + 2, width() / 2, h / 5),
               Qt::AlignLeft | Qt::AlignTop, m_layout.subtitle);

    // Countdown card.
    const QRectF card(width() - kMargin - 260, h * 0.18, 260, h * 0.58);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1));
    p.setBrush(QColor(255, 255, 255, 36));
    p.drawRoundedRect(card, 14, 14);
    p.setPen(QColor(214, 228, 246));
    p.setFont(ui::look::songti(14));
    p.drawText(card.adjusted(18, 8, -18, 0), Qt::AlignTop | Qt::AlignLeft, "考试倒计时");
    const bool counting = m_daysLeft && *m_daysLeft > 0;
    QColor figure = !counting ? QColor(255, 255, 255)
                              : (*m_daysLeft > 7 ? QColor(140, 232, 96) : QColor(255, 120, 110));
    p.setPen(figure);
    if (counting) {
        p.setFont(ui::look::sans(int(card.height() * 0.46), true));
        const QRectF figureBox = card.adjusted(18, card.height() * 0.3, -70, -4);
        p.drawText(figureBox, Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(std::min(*m_daysLeft, 999)));
        p.setPen(Qt::white);
        p.setFont(ui::look::songti(16));
        p.drawText(card.adjusted(card.width() - 66, card.height() * 0.3, -18, -4),
                   Qt::AlignLeft | Qt::AlignVCenter, "天");
    } else {
        p.setFont(ui::look::sans(20, true));
        p.drawText(card.adjusted(18, card.height() * 0.3, -18, -4), Qt::AlignCenter,
                   countdownText());
    }
}

void MenuSurface::paintSections(QPainter& p) {
    for (int c = 0; c < m_sectionHeads.size() && c < m_layout.sections.size(); ++c) {
        const QRect head = m_sectionHeads[c];
        const MenuSection& section = m_layout.sections[c];
        p.setPen(Qt::NoPen);
        p.setBrush(section.colour);
        p.drawRoundedRect(QRectF(head.left() + 3, head.top() + 5, 5, head.height() - 10), 2, 2);
        p.setPen(section.colour.darker(125));
        p.setFont(ui::look::sans(17, true));
        p.drawText(head.adjusted(16, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, section.caption);
    }
}

} // namespace tessaro::app
