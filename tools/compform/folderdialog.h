#pragma once

#include <functional>

#include <QString>

class QWidget;

// The browse-for-folder dialog of the selector windows: the platform's folder
// browser over its owner, with a title. The browser itself can be replaced, so
// that tests answer in place of the user.
class TFolderDialog {
public:
    // Shows a browser over `owner` with `title`; the picked folder, or empty when
    // the user cancels.
    using TBrowser = std::function<QString(QWidget* owner, const QString& title)>;

    QString Title;
    bool BackSlashOnEnd = true; // the stored folder ends with the path separator

    // True when the user picked a folder, which Directory() then holds; otherwise
    // Directory() is empty.
    bool Execute(QWidget* owner);
    const QString& Directory() const { return directory_; }

    // An empty browser brings back the platform's.
    void SetBrowser(TBrowser browser) { browser_ = std::move(browser); }

private:
    TBrowser browser_;
    QString directory_;
};
