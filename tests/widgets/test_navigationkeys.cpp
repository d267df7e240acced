// The key routine of the data-entry windows, on a window with one control of each kind.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWidget>

#include "units/fmtedit.h"
#include "widgets/navigationkeys.h"

namespace {

class NavigationKeys : public ::testing::TestWithParam<TNavigationKeys> {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* w : std::initializer_list<QWidget*> {first, field, combo, list, memo, readOnlyMemo, button, last}) {
            w->setParent(&window);
            layout->addWidget(w);
        }
        combo->addItems({"a", "b", "c"});
        list->addItems({"a", "b", "c"});
        readOnlyMemo->setReadOnly(true);
        field->setObjectName("field");
        InstallKeyPreview(&window, GetParam());
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Where the focus is after `key` in `from`.
    QWidget* After(QWidget* from, Qt::Key key)
    {
        from->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(from->hasFocus());
        QTest::keyClick(from, key);
        return QApplication::focusWidget();
    }

    QWidget window;
    QLineEdit* first = new QLineEdit;
    TFmtEdit* field = new TFmtEdit;
    QComboBox* combo = new QComboBox;
    QListWidget* list = new QListWidget;
    QTextEdit* memo = new QTextEdit;
    QTextEdit* readOnlyMemo = new QTextEdit;
    QPushButton* button = new QPushButton("OK");
    QLineEdit* last = new QLineEdit;
};

bool IsEdit(TNavigationKeys keys)
{
    return keys == &EditNavigationKeys;
}

} // namespace

TEST_P(NavigationKeys, TextFieldsMoveOnEnterAndDownBackOnUp)
{
    EXPECT_EQ(After(first, Qt::Key_Return), field);
    EXPECT_EQ(After(first, Qt::Key_Enter), field);
    EXPECT_EQ(After(first, Qt::Key_Down), field);
    EXPECT_EQ(After(field, Qt::Key_Up), first);
    EXPECT_EQ(After(field, Qt::Key_Down), combo);
    EXPECT_EQ(After(first, Qt::Key_Up), last) << "the tab order wraps round";
    EXPECT_EQ(After(first, Qt::Key_Left), first);
}

TEST_P(NavigationKeys, OtherControlsKeepTheirKeys)
{
    const bool edit = IsEdit(GetParam());
    // Combo boxes and multi-line boxes keep the arrows in both routines.
    combo->setCurrentIndex(0);
    EXPECT_EQ(After(combo, Qt::Key_Down), combo);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(After(readOnlyMemo, Qt::Key_Down), readOnlyMemo);
    // Lists and editable multi-line boxes keep everything.
    EXPECT_EQ(After(list, Qt::Key_Return), list);
    EXPECT_EQ(After(memo, Qt::Key_Return), memo);
    EXPECT_EQ(memo->toPlainText(), "\n");
    // Enter moves on from any other control in the selector windows only.
    EXPECT_EQ(After(combo, Qt::Key_Return), edit ? static_cast<QWidget*>(combo) : list);
    EXPECT_EQ(After(readOnlyMemo, Qt::Key_Return), edit ? static_cast<QWidget*>(readOnlyMemo) : button);
    if (!edit) {
        EXPECT_EQ(After(button, Qt::Key_Down), last); // the edit routine leaves the arrows to the button
    }
}

TEST_P(NavigationKeys, ModifiedKeysPass)
{
    EXPECT_EQ(After(first, Qt::Key_Down), field);
    first->setFocus(Qt::TabFocusReason);
    QTest::keyClick(first, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(first->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Routines, NavigationKeys, ::testing::Values(&EditNavigationKeys, &DialogNavigationKeys),
                         [](const auto& instance) { return IsEdit(instance.param) ? "Edit" : "Dialog"; });
