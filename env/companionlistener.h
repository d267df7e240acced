#pragma once

#include <functional>
#include <string>

#include <QObject>

class QLocalServer;
class QWidget;

// The running companion's side of the hand-over (env/companion.h): it listens on
// the program's local socket, answers each complete message at once, and then
// hands the text to the window and brings the window to the front.
class TCompanionListener : public QObject {
public:
    using TOnText = std::function<void(const std::string& text)>;

    // `onText` runs for every text handed over, also an empty one, before the
    // window is raised.
    TCompanionListener(QWidget& window, TOnText onText);

    // Listens under `serverName`; false when another instance has the name. A
    // name left behind by an instance that ended without closing is taken over.
    bool Listen(const std::string& serverName);

private:
    void TakeConnection();

    QWidget& window_;
    TOnText onText_;
    QLocalServer* server_ = nullptr;
};
