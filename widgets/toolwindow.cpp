#include "widgets/toolwindow.h"

#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QToolBar>
#include <QToolButton>

#include "units/fmtedit.h"
#include "units/fmteditlabel.h"

TToolWindowFrame BuildToolWindow(QDialog& window, const char* acceptText, const char* cancelText)
{
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    TToolWindowFrame frame;
    frame.layout = new QVBoxLayout(&window);
    frame.layout->setContentsMargins(0, 0, 0, 0);
    frame.layout->setSpacing(0);
    frame.bar = new QToolBar(&window);
    frame.bar->setObjectName("ToolBar1");
    frame.bar->setIconSize(QSize(16, 16));
    frame.bar->setMovable(false);
    frame.layout->setMenuBar(frame.bar);
    frame.accept = AddToolButton(*frame.bar, "ToolButton1", acceptText, QStyle::SP_DialogOkButton);
    frame.cancel = AddToolButton(*frame.bar, "ToolButton2", cancelText, QStyle::SP_DialogCancelButton);
    QObject::connect(frame.accept, &QToolButton::clicked, &window, &QDialog::accept);
    QObject::connect(frame.cancel, &QToolButton::clicked, &window, &QDialog::reject);
    return frame;
}

QToolButton* AddToolButton(QToolBar& bar, const char* name, const char* text, QStyle::StandardPixmap icon)
{
    auto* button = new QToolButton(&bar);
    button->setObjectName(name);
    button->setText(text);
    button->setFocusPolicy(Qt::NoFocus);
    if (icon != QStyle::SP_CustomBase) {
        button->setIcon(bar.style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    } else {
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    bar.addWidget(button);
    return button;
}

QToolButton* NewFlatButton(QWidget* parent, const char* name, const QIcon& picture, const QString& hint)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setIcon(picture);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

TFmtEdit* AddFieldRow(QGridLayout& grid, int row, const char* name, const char* caption, const TFmtEditDesign& design,
                      int column)
{
    QWidget* parent = grid.parentWidget();
    auto* field = new TFmtEdit(parent);
    field->setObjectName(name);
    auto* units = new TFmtEditLabel(parent);
    units->setObjectName(QString(name) + "Units");
    field->Apply(design, units);
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString(name) + "Caption");
    label->setBuddy(field);
    grid.addWidget(label, row, column);
    grid.addWidget(field, row, column + 1);
    grid.addWidget(units, row, column + 2);
    return field;
}

QComboBox* AddListRow(QGridLayout& grid, int row, const char* name, const char* caption, int listColumns, int column)
{
    QWidget* parent = grid.parentWidget();
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QString(name) + "Caption");
    label->setBuddy(list);
    grid.addWidget(label, row, column);
    grid.addWidget(list, row, column + 1, 1, listColumns);
    return list;
}

QLabel* AddStatusLine(QBoxLayout& layout)
{
    auto* bar = new QStatusBar(layout.parentWidget());
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(true);
    auto* text = new QLabel(bar);
    text->setObjectName("StatusText");
    bar->addWidget(text, 1);
    layout.addWidget(bar);
    return text;
}
