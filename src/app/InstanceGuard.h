#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QWidget;

namespace tessaro::app {

/// Keeps one running copy per user. A starting copy asks the running one, over a local socket
/// named from the application's identity, to come to the front and then ends; the running copy
/// listens for such requests and raises its topmost window.
class InstanceGuard : public QObject {
    Q_OBJECT
public:
    explicit InstanceGuard(QObject* parent = nullptr);
    ~InstanceGuard() override;

    /// The per-user socket of the application "Tessaro" (in the user's runtime folder).
    static QString serverName();

    /// True when another copy answered and was asked to come to the front.
    bool FindOtherInstance(int timeoutMs = 3000);

    /// Starts answering later copies. A socket left behind by a crashed copy is removed first.
    bool listen();

    /// The window to raise when asked; the modal window on top of it takes precedence.
    void setMainWindow(QWidget* window) { m_mainWindow = window; }

    /// Brings the topmost window to the front, restoring it (and the main window) if minimised.
    void raiseTopWindow();

signals:
    void activationRequested();

private:
    void answerConnection();

    QLocalServer* m_server = nullptr;
    QPointer<QWidget> m_mainWindow;
};

} // namespace tessaro::app
