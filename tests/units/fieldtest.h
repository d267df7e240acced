#pragma once

// A shown, active window with formatted fields for the widget tests, and a beep
// counter in place of the platform beep.
#include <gtest/gtest.h>

#include <ostream>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "units/beep.h"
#include "units/fmtedit.h"
#include "tests/support/qtprint.h"
#include "tests/support/hookguard.h"

class WidgetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        layout = new QVBoxLayout(&window);
        // Takes the focus when the window opens, so tests enter fields themselves.
        layout->addWidget(new QLineEdit(&window));
    }

    TFmtEdit* AddField(const TFmtEditDesign& design, QLabel* label = nullptr)
    {
        auto* edit = new TFmtEdit(&window);
        edit->Apply(design, label);
        layout->addWidget(edit);
        return edit;
    }

    void Show()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // Enters the field by Tab, as a user would: the whole text is selected.
    static void Focus(TFmtEdit* edit)
    {
        edit->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(edit->hasFocus());
    }

    static void Leave(TFmtEdit* edit)
    {
        QTest::keyClick(edit, Qt::Key_Tab);
        QApplication::processEvents(); // a clamped entry takes the focus back afterwards
    }

    QWidget window;
    QVBoxLayout* layout = nullptr;
    int beeps = 0;

private:
    THookGuard<TBeepHook> beepHook_ {SetBeepHook, [this] { ++beeps; }};
};
