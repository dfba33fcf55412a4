#pragma once
// A tool window's toggle button: one of a set that its button group makes exclusive,
// stretched across its row.
#include <QButtonGroup>
#include <QToolButton>

inline QToolButton* GroupToggle(const QString& text, QButtonGroup* set) {
    auto* b = new QToolButton;
    b->setText(text);
    b->setCheckable(true);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    set->addButton(b);
    return b;
}
