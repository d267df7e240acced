#include "ui/desktop.h"

#include <QDesktopServices>
#include <QUrl>

#include "widgets/messages.h"

namespace {

class TSystemDesktop : public TDesktop {
public:
    bool OpenUrl(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

TDesktop* current = nullptr;

TDesktop& SystemDesktop()
{
    static TSystemDesktop desktop;
    return desktop;
}

} // namespace

TDesktop& Desktop()
{
    return current ? *current : SystemDesktop();
}

TDesktop* SetDesktop(TDesktop* desktop)
{
    TDesktop* previous = current;
    current = desktop;
    return previous;
}

void OpenWithDesktop(const QUrl& url)
{
    if (!Desktop().OpenUrl(url))
        ShowMessage("Could not open " + url.toDisplayString(QUrl::PreferLocalFile).toStdString() +
                    " with the desktop's default application.");
}
