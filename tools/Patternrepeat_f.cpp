#include "tools/Patternrepeat_f.h"

#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "tools/Patternrepeat.h"
#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace {
const QString kIniName = QStringLiteral("Pattern.ini");
constexpr int kUnitText[] = {13, 12, 11}; // Dot, Inch, Cm
} // namespace

TPatternRepeatForm::TPatternRepeatForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("PatternRepeat"));
    setWindowTitle(Texts.Get(0));
    auto* set = new QButtonGroup(this);
    sbRegular = GroupToggle(Texts.Get(1), set);
    sbIrregular = GroupToggle(Texts.Get(2), set);
    sbImgSpray = GroupToggle(Texts.Get(3), set);
    ComboDirection = new QComboBox;
    for (int i = 5; i <= 8; ++i)
        ComboDirection->addItem(Texts.Get(i));
    sbSelectPos = SpeedButton(Texts.Get(9), true);
    EditDot = new QLineEdit(QStringLiteral("1.59"));
    LabelUnit = SpeedButton(Texts.Get(11));
    spValue = SpinEdit(1, kPatternValueMax);
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(sbRegular, 0, 0, 1, 3);
    grid->addWidget(sbIrregular, 1, 0, 1, 3);
    grid->addWidget(sbImgSpray, 2, 0, 1, 3);
    grid->addWidget(new QLabel(Texts.Get(4)), 3, 0);
    grid->addWidget(ComboDirection, 3, 1, 1, 2);
    grid->addWidget(sbSelectPos, 4, 0, 1, 3);
    grid->addWidget(new QLabel(Texts.Get(10)), 5, 0);
    grid->addWidget(EditDot, 5, 1);
    grid->addWidget(LabelUnit, 5, 2);
    grid->addWidget(new QLabel(Texts.Get(14)), 6, 0);
    grid->addWidget(spValue, 6, 1, 1, 2);
    const int functions[] = {PatternRegular, PatternIrregular, PatternSpray};
    QToolButton* buttons[] = {sbRegular, sbIrregular, sbImgSpray};
    for (int f : functions)
        connect(buttons[f], &QToolButton::clicked, this, [this, f] { FunctionClick(f); });
    connect(ComboDirection, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (Showing) return;
        SettingsV.Direction = i;
        Push();
    });
    connect(sbSelectPos, &QToolButton::clicked, this, [this](bool down) { SelectPosClick(down); });
    connect(EditDot, &QLineEdit::editingFinished, this, [this] { EditDotChange(); });
    connect(LabelUnit, &QToolButton::clicked, this, [this] {
        Unit = (Unit + 2) % 3; // Cm -> Inch -> Dot -> Cm
        EditDotChange();
    });
    connect(spValue, &QSpinBox::valueChanged, this, [this](int v) {
        if (Showing) return;
        SettingsV.Value = v;
        Push();
    });
    SettingsV = ReadPatternSettings(TIniFile(SettingsFile(kIniName)));
    SettingsV.Spacing = SpacingPixels(1.59, Unit);
    ShowState();
}

TPatternRepeatForm::~TPatternRepeatForm() {
    if (Engine) Engine->OnGone = Engine->OnHandle = nullptr;
    TIniFile ini(SettingsFile(kIniName));
    WritePatternSettings(ini, SettingsV);
    ini.UpdateFile();
}

void TPatternRepeatForm::Attach(TPatternRepeatTool* engine, TToolContext* context) {
    Engine = engine;
    Context = context;
    if (!Engine) return;
    Engine->OnGone = [this] { Engine = nullptr; };
    Engine->OnHandle = [this] {
        SettingsV.Handle = Engine->Settings().Handle;
        ShowState();
    };
    Push();
}

void TPatternRepeatForm::FunctionClick(int function) {
    SettingsV.Function = function;
    if (Engine && Engine->SelectingHandle()) Engine->SelectHandle(QRect()); // a pending selection ends
    Push();
}

void TPatternRepeatForm::SelectPosClick(bool down) {
    if (!Engine) return ShowState();
    // The handle is chosen on the motif as it stands in the design: the selection's box.
    const TDocument* doc = Context ? Context->Document : nullptr;
    if (down && (!doc || !doc->HasSelection())) ReportError(ErrorCode::NoWorkArea);
    Engine->SelectHandle(down && doc && doc->HasSelection() ? doc->Selection().boundingRect() : QRect());
    ShowState();
}

void TPatternRepeatForm::EditDotChange() {
    bool number = false;
    const double value = EditDot->text().trimmed().toDouble(&number);
    if (!number) {
        ReportError(ErrorCode::NotANumber);
        return ShowState();
    }
    SettingsV.Spacing = SpacingPixels(value, Unit);
    Push();
}

void TPatternRepeatForm::ShowState() {
    const bool was = Showing;
    Showing = true;
    sbRegular->setChecked(SettingsV.Function == PatternRegular);
    sbIrregular->setChecked(SettingsV.Function == PatternIrregular);
    sbImgSpray->setChecked(SettingsV.Function == PatternSpray);
    ComboDirection->setCurrentIndex(SettingsV.Direction);
    sbSelectPos->setChecked(Engine && Engine->SelectingHandle());
    LabelUnit->setText(Texts.Get(kUnitText[Unit]));
    spValue->setValue(SettingsV.Value);
    for (QWidget* w : {static_cast<QWidget*>(EditDot), static_cast<QWidget*>(LabelUnit)})
        w->setEnabled(SettingsV.Function == PatternSpray);
    spValue->setEnabled(SettingsV.Function == PatternIrregular);
    Showing = was;
}

void TPatternRepeatForm::Push() {
    SettingsV.Clamp();
    if (Engine) Engine->SetSettings(SettingsV);
    ShowState();
}
