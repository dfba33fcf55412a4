#pragma once
// The parameter dialog of the Image menu's effects: one or two values, each
// with its range, and OK/Cancel. Texts from the "Effects" language section.
#include "platform/Effects.h"

#include <QDialog>

class QSpinBox;

class TEffectForm : public QDialog {
    Q_OBJECT
  public:
    TEffectForm(TEffect effect, const QString& caption, QWidget* parent = nullptr);
    // Whether the effect asks for anything at all.
    static bool HasParameters(TEffect effect);
    TEffectParams Params() const;

    QSpinBox* seLow = nullptr;
    QSpinBox* seHigh = nullptr;
};
