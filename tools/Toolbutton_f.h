#pragma once
// The flat buttons of the tool windows: as wide as their column, as high as their text.
#include <QToolButton>

inline QToolButton* WideButton(const QString& text, bool checkable = false) {
    auto* b = new QToolButton;
    b->setText(text);
    b->setCheckable(checkable);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return b;
}
