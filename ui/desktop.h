#pragma once

class QUrl;

// The desktop's "open with the default application": the web browser for pages
// and web addresses. Windows reach it through Desktop(), so tests can put a
// recorder in its place.
class TDesktop {
public:
    virtual ~TDesktop() = default;
    // False when the desktop could not open it.
    virtual bool OpenUrl(const QUrl& url) = 0;
};

// The desktop in place: the system's unless replaced.
TDesktop& Desktop();

// Puts `desktop` in place of the current one (nullptr brings the system's back)
// and returns the one that was in place.
TDesktop* SetDesktop(TDesktop* desktop);

// Opens a local file or web address; when the desktop refuses, the user is told so.
void OpenWithDesktop(const QUrl& url);
