#pragma once

// What the window tests of every folder do as a user would: enter and leave
// fields, click list entries, answer modal dialogs. Each window test program links
// kelvora_test_windows, whose main (testmain.cpp) runs the tests inside one
// QApplication on the offscreen platform with the platform folders and the
// per-user settings in a scratch tree.
#include <gtest/gtest.h>

#include <string>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "tests/support/testmain.h"
#include "units/fmtedit.h"

// Enters the field by Tab, as a user would: the whole text is selected.
inline void Enter(TFmtEdit* field)
{
    // After a modal dialog the offscreen platform does not hand the activation back.
    if (!field->window()->isActiveWindow())
        QApplication::setActiveWindow(field->window());
    if (field->hasFocus())
        field->clearFocus();
    field->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(field->hasFocus()) << field->objectName().toStdString();
}

// Types into the field and leaves it by Tab.
inline void TypeAndLeave(TFmtEdit* field, const char* text)
{
    Enter(field);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

// Clicks an entry of a list box with the mouse.
inline void ClickItem(QListWidget* list, const QString& text)
{
    const auto items = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << text.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.front()).center());
}

// Runs `step` on the modal dialog of type Dialog once the next command has opened it.
template <class Dialog, class Step>
void OnNextModal(Step step)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, step] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            // A user answers a dialog that has the focus; the offscreen platform
            // activates it late under load, and some dialogs (a file dialog's name
            // field) behave otherwise without it.
            if (!dialog->isActiveWindow())
                QApplication::setActiveWindow(dialog);
            step(dialog);
        }
    });
    timer->start();
}
