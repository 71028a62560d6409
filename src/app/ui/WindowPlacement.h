#pragma once

class QWidget;

namespace tessaro::ui {

/// Centres a window on its screen, kept wholly on it. Windows that fix their size while they
/// are being shown call this afterwards, since Qt placed them by their earlier size.
void centreOnScreen(QWidget& window);

} // namespace tessaro::ui
