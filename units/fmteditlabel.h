#pragma once

#include <vector>

#include <QLabel>

class TFmtEdit;

// The clickable units label beside one or more formatted fields. It shows the
// unit of its fields; a click lists the unit choices of the first linked field
// next to the pointer and applies the one picked to every linked field, each of
// which raises its OnUnitsEdited.
class TFmtEditLabel : public QLabel {
    Q_OBJECT

public:
    explicit TFmtEditLabel(QWidget* parent = nullptr);
    ~TFmtEditLabel() override;

    // The linked fields in the order they were linked, without duplicates.
    const std::vector<TFmtEdit*>& Fields() const { return fields_; }

    // What a mouse click does: the unit choice, then OnClick.
    void Click();

signals:
    void OnClick(TFmtEditLabel* sender);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    friend class TFmtEdit;
    void Link(TFmtEdit* field);
    void Unlink(TFmtEdit* field);

    std::vector<TFmtEdit*> fields_;
    bool pressed_ = false;
};
