#include "shell/Effect_f.h"

#include "shell/Common.h"
#include "shell/Dialogbuttons_f.h"
#include "shell/Stringtable.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace {

struct TField {
    int Label; // entry of the "Effects" table, -1 for none
    int Min, Max, Default;
};

// The first and second value of each effect.
void FieldsOf(TEffect effect, TField& low, TField& high) {
    high = {-1, 0, 0, 0};
    switch (effect) {
    case EffectIntensityDetect:
        low = {0, 0, 255, 64};
        high = {1, 0, 255, 192};
        break;
    case EffectSolarize:
        low = {2, 0, 255, 128};
        break;
    case EffectPosterize:
        low = {3, 2, 64, 4};
        break;
    case EffectMosaic:
        low = {4, 2, 64, 8};
        break;
    case EffectAverage:
    case EffectMedian:
        low = {5, 3, 15, 3};
        break;
    case EffectSharpen:
        low = {6, 1, 100, 20};
        break;
    case EffectAddNoise:
        low = {7, 1, 255, 20};
        high = {8, 0, 99999, 1};
        break;
    case EffectEmboss:
        low = {9, 1, 100, 20};
        break;
    default:
        low = {-1, 0, 0, 0};
        break;
    }
}

} // namespace

bool TEffectForm::HasParameters(TEffect effect) {
    TField low, high;
    FieldsOf(effect, low, high);
    return low.Label >= 0;
}

TEffectForm::TEffectForm(TEffect effect, const QString& caption, QWidget* parent) : QDialog(parent) {
    TStringTable texts;
    texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Effects"));
    setWindowTitle(caption);
    TField low, high;
    FieldsOf(effect, low, high);
    auto* form = new QFormLayout(this);
    auto field = [&](const TField& f) -> QSpinBox* {
        if (f.Label < 0) return nullptr;
        auto* box = new QSpinBox;
        box->setRange(f.Min, f.Max);
        box->setValue(f.Default);
        // Filter sizes are odd.
        if (effect == EffectAverage || effect == EffectMedian) box->setSingleStep(2);
        form->addRow(texts.Get(f.Label), box);
        return box;
    };
    seLow = field(low);
    seHigh = field(high);
    form->addRow(MakeOkCancel(this, texts.Get(10), texts.Get(11)));
}

TEffectParams TEffectForm::Params() const {
    TEffectParams p;
    if (seLow) p.Low = seLow->value() | ((seLow->singleStep() == 2) ? 1 : 0);
    if (seHigh) p.High = seHigh->value();
    return p;
}
