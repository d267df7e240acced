#pragma once

#include <QIcon>
#include <QStyle>

class QBoxLayout;
class QDialog;
class QComboBox;
class QGridLayout;
class QLabel;
class QString;
class QToolBar;
class QToolButton;
class QWidget;
class TFmtEdit;
struct TFmtEditDesign;

// The pieces the tool windows (compressor selector, valve selector, liquid line
// window) share: a tool bar of buttons at the top, rows of captioned fields with
// their units labels, and a one-part status line at the bottom.

// The frame of a sizeable dialog with a title bar and only a close box: a column
// layout whose tool bar ("ToolBar1") starts with the accept button (ToolButton1)
// and the cancel button (ToolButton2), which call the dialog's accept() and
// reject(); a dialog that accepts only in some states overrides accept(). The
// bar's buttons take no focus, so Tab stays among the fields.
struct TToolWindowFrame {
    QBoxLayout* layout = nullptr;
    QToolBar* bar = nullptr;
    QToolButton* accept = nullptr;
    QToolButton* cancel = nullptr;
};
TToolWindowFrame BuildToolWindow(QDialog& window, const char* acceptText = "&Accept",
                                 const char* cancelText = "&Cancel");

QToolButton* AddToolButton(QToolBar& bar, const char* name, const char* text,
                           QStyle::StandardPixmap icon = QStyle::SP_CustomBase);

// A flat button beside a field, with a picture and a hint.
QToolButton* NewFlatButton(QWidget* parent, const char* name, const QIcon& picture, const QString& hint);

// Caption, field and units label in columns `column` to `column` + 2 of `row`; the
// field is named `name`, its label `name` + "Units", its caption `name` + "Caption".
TFmtEdit* AddFieldRow(QGridLayout& grid, int row, const char* name, const char* caption, const TFmtEditDesign& design,
                      int column = 0);

// Caption in column `column` of `row` and a list spanning the `listColumns` columns
// after it; the list is named `name`, its caption `name` + "Caption".
QComboBox* AddListRow(QGridLayout& grid, int row, const char* name, const char* caption, int listColumns,
                      int column = 0);

// The status line below the window's contents; the returned label holds its text.
QLabel* AddStatusLine(QBoxLayout& layout);
