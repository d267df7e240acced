// TFmtEdit driven with real key presses: typing, commit on leaving and Enter,
// clamping with beep and kept focus, Escape, selection, read-only fields,
// focus reasons and the clipboard keys.
#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QFocusEvent>
#include <QLabel>

#include "tests/units/fieldtest.h"

namespace {

const TFmtEditDesign kTemperatureF {.kind = utTemperature, .unitsValue = 1, .formatType = ft_Fixed, .format = "%0.1f"};
const TFmtEditDesign kPressure {
    .kind = utPressure, .formatType = ft_Auto, .format = "%0.3f", .rangeLo = 100, .rangeHi = 100000};
const TFmtEditDesign kPlain {.kind = utNone, .formatType = ft_Fixed, .format = "%0.1f", .rangeLo = 0, .rangeHi = 1000};

struct EventCount {
    int enters = 0, exits = 0;
    bool modifiedAtExit = false;
    QString textAtExit;

    void Watch(TFmtEdit* edit)
    {
        QObject::connect(edit, &TFmtEdit::OnEnter, [this](TFmtEdit*) { ++enters; });
        QObject::connect(edit, &TFmtEdit::OnExit, [this](TFmtEdit* sender) {
            ++exits;
            modifiedAtExit = sender->Modified();
            textAtExit = sender->text();
        });
    }
};

} // namespace

using FmtEdit = WidgetTest;

TEST_F(FmtEdit, TypedTemperatureIsCommittedOnLeaving)
{
    auto* label = new QLabel(&window);
    TFmtEdit* t = AddField(kTemperatureF, label);
    TFmtEdit* next = AddField(kPlain);
    EventCount events;
    events.Watch(t);
    Show();
    EXPECT_EQ(label->text(), "°F");
    t->SetValue(20);
    EXPECT_EQ(t->text(), "68.0");
    EXPECT_FALSE(t->Modified());

    Focus(t);
    EXPECT_EQ(events.enters, 1);
    QTest::keyClicks(t, "212");
    EXPECT_EQ(t->text(), "212");
    EXPECT_TRUE(t->Modified());
    EXPECT_DOUBLE_EQ(t->Value(), 100);
    Leave(t);
    EXPECT_EQ(t->text(), "212.0");
    EXPECT_DOUBLE_EQ(t->Value(), 100);
    EXPECT_TRUE(next->hasFocus());
    EXPECT_EQ(events.exits, 1);
    EXPECT_TRUE(events.modifiedAtExit); // exit handlers test it to recompute
    EXPECT_EQ(events.textAtExit, "212.0");
    EXPECT_EQ(beeps, 0);

    t->SetUnitsValue(0);
    EXPECT_EQ(t->text(), "100.0");
    EXPECT_EQ(label->text(), "°C");
}

TEST_F(FmtEdit, ClampedEntryBeepsAndKeepsTheFocus)
{
    TFmtEdit* p = AddField(kPressure);
    TFmtEdit* next = AddField(kPlain);
    EventCount events;
    events.Watch(p);
    Show();
    p->SetValue(1800);

    Focus(p);
    QTest::keyClicks(p, "99.6"); // half a percent below the limit stands
    Leave(p);
    EXPECT_EQ(p->text(), "99.600");
    EXPECT_EQ(beeps, 0);
    EXPECT_TRUE(next->hasFocus());

    Focus(p);
    QTest::keyClicks(p, "50");
    Leave(p);
    EXPECT_EQ(p->text(), "100.00");
    EXPECT_DOUBLE_EQ(p->Value(), 100);
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(p->hasFocus());
    EXPECT_TRUE(p->Modified());
    EXPECT_EQ(events.exits, 2); // exit still ran, with the clamped number
    EXPECT_EQ(events.textAtExit, "100.00");
    EXPECT_EQ(events.enters, 2); // taking the focus back starts no new edit

    // Escape now goes back to the text at entry.
    QTest::keyClick(p, Qt::Key_Escape);
    EXPECT_EQ(p->text(), "99.600");
    EXPECT_FALSE(p->Modified());
}

TEST_F(FmtEdit, EnterCommitsAndStaysInTheField)
{
    TFmtEdit* f = AddField(kPlain);
    AddField(kPlain);
    Show();
    f->SetValue(5);
    Focus(f);
    QTest::keyClicks(f, "1.2.3");
    QTest::keyClick(f, Qt::Key_Return);
    EXPECT_EQ(f->text(), "1.2");
    EXPECT_DOUBLE_EQ(f->Value(), 1.2);
    EXPECT_TRUE(f->hasFocus());

    f->selectAll();
    QTest::keyClicks(f, "1010");
    QTest::keyClick(f, Qt::Key_Enter);
    EXPECT_EQ(f->text(), "1000.0");
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(f->hasFocus());

    // A lone decimal point is no number: left as it is, no beep, last value kept.
    f->selectAll();
    QTest::keyClicks(f, ".");
    Leave(f);
    EXPECT_EQ(f->text(), ".");
    EXPECT_EQ(beeps, 1);
    EXPECT_DOUBLE_EQ(f->Value(), 1000);
}

TEST_F(FmtEdit, SelectionBackspaceAndRejectedKeys)
{
    TFmtEdit* f = AddField(kPlain);
    Show();
    f->setText("12345");
    Focus(f);
    f->setSelection(2, 2); // "34"
    QTest::keyClick(f, '9');
    EXPECT_EQ(f->text(), "1295");
    EXPECT_EQ(f->cursorPosition(), 3);

    QTest::keyClick(f, 'x');
    QTest::keyClick(f, ' ');
    EXPECT_EQ(f->text(), "1295");
    EXPECT_EQ(beeps, 2);

    f->selectAll();
    QTest::keyClick(f, Qt::Key_Backspace); // nothing before the selection
    EXPECT_EQ(f->text(), "1295");
    f->setCursorPosition(4);
    QTest::keyClick(f, Qt::Key_Backspace);
    EXPECT_EQ(f->text(), "129");
    EXPECT_EQ(f->cursorPosition(), 3);
    EXPECT_TRUE(f->Modified());
    EXPECT_TRUE(f->isModified()); // the edit control's own flag agrees
}

TEST_F(FmtEdit, EscapeRevertsAndIsClaimedFromTheDialogWhileModified)
{
    QDialog dialog;
    auto* f = new TFmtEdit(&dialog);
    f->Apply(kTemperatureF);
    f->SetValue(20);
    dialog.open();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Focus(f);
    QTest::keyClicks(f, "25");
    QTest::keyClick(f, Qt::Key_Escape);
    EXPECT_EQ(f->text(), "68.0");
    EXPECT_FALSE(f->Modified());
    EXPECT_TRUE(dialog.isVisible()); // the dialog did not see that Escape

    QTest::keyClick(f, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(FmtEdit, ReadOnlyFieldTakesNoTyping)
{
    TFmtEditDesign design = kTemperatureF;
    design.readOnly = true;
    TFmtEdit* f = AddField(design);
    Show();
    f->SetValue(20);
    Focus(f);
    QTest::keyClicks(f, "55");
    QTest::keyClick(f, Qt::Key_Backspace);
    EXPECT_EQ(f->text(), "68.0");
    EXPECT_FALSE(f->Modified());
    EXPECT_EQ(beeps, 0);
}

// A result looks like one: the window's background and the plain pointer, and the
// look follows the flag both ways.
TEST_F(FmtEdit, ReadOnlyFieldLooksLikeAResult)
{
    TFmtEditDesign design = kTemperatureF;
    design.readOnly = true;
    TFmtEdit* result = AddField(design);
    TFmtEdit* entry = AddField(kTemperatureF);
    Show();
    const QPalette app = QApplication::palette(entry);
    ASSERT_NE(app.color(QPalette::Base), app.color(QPalette::Window)) << "the style draws entries like the window";
    const auto looksLikeResult = [&](const TFmtEdit* f) {
        return f->palette().color(QPalette::Active, QPalette::Base) == app.color(QPalette::Active, QPalette::Window) &&
            f->palette().color(QPalette::Inactive, QPalette::Base) == app.color(QPalette::Inactive, QPalette::Window) &&
            f->cursor().shape() == Qt::ArrowCursor;
    };
    EXPECT_TRUE(looksLikeResult(result));
    EXPECT_FALSE(looksLikeResult(entry));
    EXPECT_EQ(entry->palette().color(QPalette::Base), app.color(QPalette::Base));
    EXPECT_EQ(entry->cursor().shape(), Qt::IBeamCursor);

    result->setReadOnly(false);
    entry->setReadOnly(true);
    EXPECT_FALSE(looksLikeResult(result));
    EXPECT_EQ(result->palette().color(QPalette::Base), app.color(QPalette::Base));
    EXPECT_EQ(result->cursor().shape(), Qt::IBeamCursor);
    EXPECT_TRUE(looksLikeResult(entry));
}

TEST_F(FmtEdit, CommitEditAppliesThePendingEntry)
{
    TFmtEdit* f = AddField(kPlain);
    EventCount events;
    events.Watch(f);
    Show();
    f->SetValue(5);
    Focus(f);
    QTest::keyClicks(f, "1010");
    f->CommitEdit();
    EXPECT_EQ(f->text(), "1000.0");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(events.exits, 1);
    EXPECT_TRUE(events.modifiedAtExit);
    EXPECT_FALSE(f->Modified());
    EXPECT_TRUE(f->hasFocus());
}

TEST_F(FmtEdit, DeactivationAndPopupsAreNoExit)
{
    TFmtEdit* f = AddField(kPlain);
    EventCount events;
    events.Watch(f);
    Show();
    Focus(f);
    QTest::keyClicks(f, "1010");
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::MenuBarFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(f, &out);
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(f, &in);
    }
    EXPECT_EQ(events.exits, 0);
    EXPECT_EQ(events.enters, 1);
    EXPECT_EQ(f->text(), "1010"); // still pending
    EXPECT_TRUE(f->Modified());
}

TEST_F(FmtEdit, PasteIsNotFilteredButMarksTheEdit)
{
    TFmtEdit* f = AddField(kTemperatureF);
    Show();
    f->SetValue(20);
    Focus(f);
    QApplication::clipboard()->setText("abc");
    QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f->text(), "abc");
    EXPECT_TRUE(f->Modified());
    EXPECT_DOUBLE_EQ(f->Value(), 20); // no number: the last good one
    Leave(f);
    EXPECT_EQ(f->text(), "abc");
    EXPECT_EQ(beeps, 0);
}

TEST_F(FmtEdit, ClipboardKeysGoToTheFieldOrToTheWindow)
{
    TFmtEdit* f = AddField(kPlain);
    auto* copyAll = new QAction(&window);
    copyAll->setShortcut(QKeySequence::Copy);
    window.addAction(copyAll);
    int copies = 0;
    QObject::connect(copyAll, &QAction::triggered, [&] { ++copies; });
    Show();
    f->setText("12.5");
    Focus(f);

    QApplication::clipboard()->clear();
    QTest::keyClick(f, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 0);
    EXPECT_EQ(QApplication::clipboard()->text(), "12.5");

    SetClipboardKeysToWindow(&window, true);
    QTest::keyClick(f, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 1);
}
