#include "tools/Toolcontrols_f.h"

#include "colour/Pcolorgrid_f.h"

#include <QButtonGroup>
#include <QGridLayout>
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

QWidget* ColourListPanel(const QString (&texts)[5], int cell, TColourListControls& out) {
    auto* panel = new QWidget;
    out.Selector = new TColorSelector;
    out.Selector->SetXSquares(4);
    out.Selector->SetYSquares(3);
    out.Selector->setFixedHeight(3 * cell);
    out.New = SpeedButton(texts[0], true);
    out.All = SpeedButton(texts[1]);
    out.Block = SpeedButton(texts[2], true);
    out.Insert = SpeedButton(texts[3], true);
    out.Before = SpeedButton(texts[4]);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(out.Selector, 0, 0, 1, 3);
    grid->addWidget(out.New, 1, 0);
    grid->addWidget(out.All, 1, 1);
    grid->addWidget(out.Block, 1, 2);
    grid->addWidget(out.Insert, 2, 0);
    grid->addWidget(out.Before, 2, 1);
    return panel;
}
