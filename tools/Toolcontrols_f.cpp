#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QSpinBox>
#include <QToolButton>

QToolButton* SpeedButton(const QString& text, bool checkable) {
    auto* b = new QToolButton;
    b->setText(text);
    b->setCheckable(checkable);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}

QToolButton* GroupToggle(const QString& text, QButtonGroup* set) {
    QToolButton* b = SpeedButton(text, true);
    set->addButton(b);
    return b;
}

QSpinBox* SpinEdit(int low, int high) {
    auto* box = new QSpinBox;
    box->setRange(low, high);
    return box;
}
