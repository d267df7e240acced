#include "units/fmteditlabel.h"

#include <algorithm>

#include <QCursor>
#include <QMouseEvent>
#include <QPointer>

#include "units/fmtedit.h"
#include "units/unitsform.h"

TFmtEditLabel::TFmtEditLabel(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

TFmtEditLabel::~TFmtEditLabel()
{
    const std::vector<TFmtEdit*> linked = fields_;
    for (auto it = linked.rbegin(); it != linked.rend(); ++it)
        (*it)->SetUnitsLabel(nullptr);
}

void TFmtEditLabel::Link(TFmtEdit* field)
{
    if (std::find(fields_.begin(), fields_.end(), field) == fields_.end())
        fields_.push_back(field);
}

void TFmtEditLabel::Unlink(TFmtEdit* field)
{
    fields_.erase(std::remove(fields_.begin(), fields_.end(), field), fields_.end());
}

void TFmtEditLabel::Click()
{
    if (!fields_.empty()) {
        const TFmtEdit* first = fields_.front();
        int picked = -1;
        {
            TUnitsForm form(window());
            form.Fill(first->UnitsType(), first->UnitsValue());
            form.PlaceAt(QCursor::pos() + QPoint(5, 5));
            form.exec();
            picked = form.SelectedIndex();
        }
        // A field may go away in a handler of an earlier one.
        const std::vector<QPointer<TFmtEdit>> linked(fields_.begin(), fields_.end());
        if (picked >= 0)
            for (const auto& field : linked)
                if (field)
                    field->UnitPicked(picked);
    }
    emit OnClick(this);
}

void TFmtEditLabel::mousePressEvent(QMouseEvent* e)
{
    pressed_ = e->button() == Qt::LeftButton;
    QLabel::mousePressEvent(e);
}

void TFmtEditLabel::mouseReleaseEvent(QMouseEvent* e)
{
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(e);
    if (click)
        Click();
}
