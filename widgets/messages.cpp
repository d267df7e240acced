#include "widgets/messages.h"

#include <exception>
#include <utility>

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace {

TMessageHook& Hook()
{
    static TMessageHook hook;
    return hook;
}

} // namespace

void ShowMessage(const std::string& text)
{
    if (Hook()) {
        Hook()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), QString::fromStdString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

TMessageHook SetMessageHook(TMessageHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

bool RunCommand(const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        ShowMessage(e.what());
    }
    return false;
}
