// TFmtEditLabel and TUnitsForm: the click opens the units list beside the
// pointer, the pick goes to every linked field, and the links undo themselves
// when either side is destroyed.
#include <functional>

#include <QCursor>
#include <QListWidget>
#include <QTimer>

#include "units/fmteditlabel.h"
#include "units/unitsform.h"
#include "tests/units/fieldtest.h"

namespace {

const TFmtEditDesign kTemperature {.kind = utTemperature, .formatType = ft_Fixed, .format = "%0.1f"};

TUnitsForm* OpenUnitsForm()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TUnitsForm*>(w); form && form->isVisible())
            return form;
    return nullptr;
}

// Runs `user` on the units list once the label click has opened it.
void WhenListOpens(std::function<void(TUnitsForm*)> user)
{
    QTimer::singleShot(0, [user] {
        TUnitsForm* form = OpenUnitsForm();
        ASSERT_NE(form, nullptr);
        user(form);
        if (form->isVisible()) { // never leave the test blocked
            ADD_FAILURE() << "units list still open";
            form->accept();
        }
    });
}

class FmtEditLabelTest : public WidgetTest {
protected:
    void SetUp() override
    {
        WidgetTest::SetUp();
        label = new TFmtEditLabel(&window);
        layout->addWidget(label);
        first = AddField(kTemperature, label);
        second = AddField(kTemperature, label);
        QObject::connect(first, &TFmtEdit::OnUnitsEdited, [this](TFmtEdit* s) { edited.push_back(s); });
        QObject::connect(second, &TFmtEdit::OnUnitsEdited, [this](TFmtEdit* s) { edited.push_back(s); });
        QObject::connect(label, &TFmtEditLabel::OnClick, [this] { ++clicks; });
        Show();
        first->SetValue(20);
        second->SetValue(30);
    }

    TFmtEditLabel* label = nullptr;
    TFmtEdit* first = nullptr;
    TFmtEdit* second = nullptr;
    std::vector<TFmtEdit*> edited;
    int clicks = 0;
};

} // namespace

TEST_F(FmtEditLabelTest, ClickAppliesThePickedUnitToEveryLinkedField)
{
    ASSERT_EQ(label->Fields(), (std::vector<TFmtEdit*> {first, second}));
    EXPECT_EQ(label->text(), "°C");
    QCursor::setPos(window.mapToGlobal(label->rect().center()));
    const QPoint pointer = QCursor::pos();
    WhenListOpens([&](TUnitsForm* form) {
        EXPECT_EQ(form->pos(), pointer + QPoint(5, 5));
        ASSERT_EQ(form->ListBox1->count(), 3);
        EXPECT_EQ(form->ListBox1->item(1)->text(), "°F");
        EXPECT_EQ(form->ListBox1->currentRow(), 0);
        QTest::keyClick(form->ListBox1, Qt::Key_Down);
        QTest::keyClick(form->ListBox1, Qt::Key_Down);
        QTest::keyClick(form->ListBox1, Qt::Key_Return);
    });
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(first->UnitsValue(), 2);
    EXPECT_EQ(second->UnitsValue(), 2);
    EXPECT_EQ(first->text(), "293.15");
    EXPECT_EQ(second->text(), "303.15");
    EXPECT_EQ(label->text(), "K");
    EXPECT_EQ(edited, (std::vector<TFmtEdit*> {first, second}));
    EXPECT_EQ(clicks, 1);
}

TEST_F(FmtEditLabelTest, EscapeIsNoCancel)
{
    WhenListOpens([](TUnitsForm* form) { QTest::keyClick(form->ListBox1, Qt::Key_Escape); });
    label->Click();
    EXPECT_EQ(first->UnitsValue(), 0);
    EXPECT_EQ(first->text(), "20.0");

    WhenListOpens([](TUnitsForm* form) {
        QTest::keyClick(form->ListBox1, Qt::Key_Down);
        QTest::keyClick(form->ListBox1, Qt::Key_Escape);
    });
    label->Click();
    EXPECT_EQ(first->text(), "68.0");
    EXPECT_EQ(second->text(), "86.0");
    EXPECT_EQ(label->text(), "°F");
}

TEST_F(FmtEditLabelTest, MousePressOnAnEntryPicksIt)
{
    WhenListOpens([](TUnitsForm* form) {
        QListWidget* list = form->ListBox1;
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    });
    label->Click();
    EXPECT_EQ(first->UnitsValue(), 1);
    EXPECT_EQ(second->text(), "86.0");
}

TEST_F(FmtEditLabelTest, LinksUndoThemselvesOnDestruction)
{
    first->SetUnitsLabel(label); // linked already: keeps its place
    EXPECT_EQ(label->Fields(), (std::vector<TFmtEdit*> {first, second}));
    delete first;
    EXPECT_EQ(label->Fields(), (std::vector<TFmtEdit*> {second}));
    // Relinking is no duplicate; another label takes the field over.
    second->SetUnitsLabel(label);
    EXPECT_EQ(label->Fields().size(), 1u);
    auto* other = new TFmtEditLabel(&window);
    second->SetUnitsLabel(other);
    EXPECT_TRUE(label->Fields().empty());
    EXPECT_EQ(other->text(), "°C");
    delete other;
    EXPECT_EQ(second->UnitsLabel(), nullptr);
    second->SetUnitsValue(1); // no label left to write to
    EXPECT_EQ(second->text(), "86.0");

    // A label without fields still reports its click.
    label->Click();
    EXPECT_EQ(clicks, 1);
}

TEST(UnitsForm, SizeRule)
{
    TUnitsForm form;
    QListWidget* list = form.ListBox1;
    for (TUnitsType kind : {utPressure, utTemperature, utViscosity, utThermalResist}) {
        form.Fill(kind, 1);
        ASSERT_EQ(list->count(), UnitCount(kind));
        EXPECT_EQ(list->currentRow(), 1);
        EXPECT_EQ(form.height(), qRound(list->sizeHintForRow(0) * (list->count() + 0.5))) << int(kind);
        int widest = 0;
        for (int i = 0; i < list->count(); ++i)
            widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->item(i)->text()));
        EXPECT_EQ(form.width(), std::max(widest, 50) + 10) << int(kind);
    }
    form.Fill(utPressure, 3);
    EXPECT_EQ(list->count(), 8);
    EXPECT_EQ(form.SelectedIndex(), 3);
    form.Fill(utNone, 0);
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(form.SelectedIndex(), -1);
}
