#include "tools/compform/folderdialog.h"

#include <QFileDialog>

bool TFolderDialog::Execute(QWidget* owner)
{
    directory_ = browser_ ? browser_(owner, Title) : QFileDialog::getExistingDirectory(owner, Title);
    if (directory_.isEmpty())
        return false;
    if (BackSlashOnEnd && !directory_.endsWith(u'/'))
        directory_ += u'/';
    return true;
}
