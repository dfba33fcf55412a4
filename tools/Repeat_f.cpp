#include "tools/Repeat_f.h"

#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "tools/Repeattool.h"
#include "tools/Toolcontrols_f.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kIniName = QStringLiteral("Repeat.ini");

QString WithNumber(QString text, int n) {
    return text.replace(QLatin1String("%d"), QString::number(n));
}
} // namespace

TRepeatForm::TRepeatForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Repeat"));
    setWindowTitle(Texts.Get(0));
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addWidget(MakeFunctionPanel());
    all->addWidget(MakeDropPanel());
    all->addWidget(MakeSizePanel());
    StateV = ReadRepeatState(TIniFile(SettingsFile(kIniName)));
    ShowState();
}

TRepeatForm::~TRepeatForm() {
    if (Engine) {
        StateV.Match = Engine->State().Match;
        Engine->OnGone = nullptr;
    }
    TIniFile ini(SettingsFile(kIniName));
    WriteRepeatState(ini, StateV);
    ini.UpdateFile();
}

QWidget* TRepeatForm::MakeFunctionPanel() {
    auto* panel = new QWidget;
    auto* set = new QButtonGroup(panel);
    sbNormal = GroupToggle(Texts.Get(7), set);
    sbHDVer = GroupToggle(Texts.Get(8), set);
    sbHDHor = GroupToggle(Texts.Get(9), set);
    sbMatchNormal = SpeedButton(Texts.Get(10));
    sbMatchVer = SpeedButton(Texts.Get(11));
    sbMatchHor = SpeedButton(Texts.Get(12));
    sbRecover = SpeedButton(Texts.Get(21));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    QToolButton* buttons[] = {sbNormal, sbHDVer, sbHDHor, sbMatchNormal, sbMatchVer, sbMatchHor};
    for (int f = RepeatNormal; f <= RepeatMatchHor; ++f) {
        QToolButton* b = buttons[f];
        b->setToolTip(Texts.Get(13 + f));
        grid->addWidget(b, f % 3, f / 3);
        if (f <= RepeatHalfDropHor)
            connect(b, &QToolButton::clicked, this, [this, f] { FunctionClick(f); });
        else
            connect(b, &QToolButton::clicked, this, [this, f] { FunctionMatchClick(f); });
    }
    grid->addWidget(sbRecover, 3, 1);
    connect(sbRecover, &QToolButton::clicked, this, [this] { RecoverClick(); });
    return panel;
}

QWidget* TRepeatForm::MakeDropPanel() {
    auto* panel = new QWidget;
    spEditW = SpinEdit(0, 0);
    spEditH = SpinEdit(0, 0);
    ComboBoxWH = new QComboBox;
    ComboBoxWH->setEditable(true);
    ComboBoxWH->addItems({"1/8", "1/4", "1/2", "3/4", "7/8"});
    LabelMax = new QLabel;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(Texts.Get(2)), 0, 0);
    grid->addWidget(spEditW, 0, 1);
    grid->addWidget(new QLabel(Texts.Get(1)), 1, 0);
    grid->addWidget(spEditH, 1, 1);
    grid->addWidget(ComboBoxWH, 2, 0);
    grid->addWidget(LabelMax, 2, 1);
    auto take = [this](int& drop, int v) {
        if (Showing) return;
        drop = v;
        Push();
    };
    connect(spEditW, &QSpinBox::valueChanged, this, [this, take](int v) { take(StateV.DropHor, v); });
    connect(spEditH, &QSpinBox::valueChanged, this, [this, take](int v) { take(StateV.DropVer, v); });
    connect(ComboBoxWH, &QComboBox::textActivated, this, [this](const QString& t) { ComboBoxWHChange(t); });
    return panel;
}

QWidget* TRepeatForm::MakeSizePanel() {
    auto* panel = new QWidget;
    LabelSize = SpeedButton(Texts.Get(5), true);
    spEditX = SpinEdit(1, kRepeatCountMax);
    spEditY = SpinEdit(1, kRepeatCountMax);
    LabelCross = new QLabel(Texts.Get(4));
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(LabelSize);
    row->addWidget(spEditX);
    row->addWidget(LabelCross);
    row->addWidget(spEditY);
    connect(LabelSize, &QToolButton::clicked, this, [this](bool on) {
        if (Showing) return;
        StateV.Settings.SizeLimit = on;
        Push();
    });
    connect(spEditX, &QSpinBox::valueChanged, this, [this](int v) {
        if (Showing) return;
        StateV.Settings.CountX = v;
        Push();
    });
    connect(spEditY, &QSpinBox::valueChanged, this, [this](int v) {
        if (Showing) return;
        StateV.Settings.CountY = v;
        Push();
    });
    return panel;
}

void TRepeatForm::Attach(TRepeatTool* engine, TToolContext* context) {
    Engine = engine;
    Context = context;
    if (!Engine) return;
    Engine->OnGone = [this] {
        StateV.Match = Engine->State().Match;
        Engine = nullptr;
    };
    Engine->Start(StateV);
    ShowState();
}

void TRepeatForm::SetTile(const QRect& tile) {
    if (tile.isEmpty()) return;
    StateV.Settings.Tile = tile;
    Push();
}

void TRepeatForm::FunctionClick(int function) {
    StateV.Settings.Function = function;
    Push();
}

void TRepeatForm::FunctionMatchClick(int function) {
    StateV.Settings.Function = function;
    Push();
    if (Engine && Context) Engine->Match(*Context, function);
    ShowState();
}

void TRepeatForm::RecoverClick() {
    if (Engine && Context) Engine->Recover(*Context);
    ShowState();
}

void TRepeatForm::ComboBoxWHChange(const QString& text) {
    const int f = StateV.Settings.Function;
    const bool vertical = f == RepeatHalfDropVer || f == RepeatMatchVer;
    if (!vertical && f != RepeatHalfDropHor && f != RepeatMatchHor) return;
    const QRect& tile = StateV.Settings.Tile;
    int& drop = vertical ? StateV.DropVer : StateV.DropHor;
    const int side = vertical ? tile.height() : tile.width();
    // A fraction of the tile's side, or the drop typed as a number.
    bool number = false;
    int value = text.trimmed().toInt(&number);
    if (!number) {
        value = drop;
        if (const uint32_t code = DropOfFraction(text, side, value)) {
            ReportError(code);
            ShowState();
            return;
        }
    }
    drop = std::clamp(value, 0, std::max(side, 0));
    Push();
}

void TRepeatForm::ShowState() {
    const bool was = Showing;
    Showing = true;
    if (Engine) StateV.Match = Engine->State().Match;
    const TRepeatSettings& s = StateV.Settings;
    sbNormal->setChecked(s.Function == RepeatNormal);
    sbHDVer->setChecked(s.Function == RepeatHalfDropVer);
    sbHDHor->setChecked(s.Function == RepeatHalfDropHor);
    const int width = std::max(s.Tile.width(), 0), height = std::max(s.Tile.height(), 0);
    spEditW->setMaximum(width);
    spEditH->setMaximum(height);
    spEditW->setValue(StateV.DropHor);
    spEditH->setValue(StateV.DropVer);
    const bool vertical = s.Function == RepeatHalfDropVer || s.Function == RepeatMatchVer;
    const bool horizontal = s.Function == RepeatHalfDropHor || s.Function == RepeatMatchHor;
    ComboBoxWH->setEnabled(vertical || horizontal);
    LabelMax->setEnabled(vertical || horizontal);
    if (vertical || horizontal) {
        const int max = vertical ? height : width;
        ComboBoxWH->setEditText(QString::number(vertical ? StateV.DropVer : StateV.DropHor));
        LabelMax->setText(WithNumber(Texts.Get(s.Function >= RepeatMatchNormal ? 19 : 3), max));
    }
    sbRecover->setEnabled(StateV.Match.Count > 0);
    LabelSize->setChecked(s.SizeLimit);
    LabelSize->setText(Texts.Get(s.SizeLimit ? 6 : 5));
    spEditX->setValue(s.CountX);
    spEditY->setValue(s.CountY);
    for (QWidget* w :
         {static_cast<QWidget*>(spEditX), static_cast<QWidget*>(spEditY), static_cast<QWidget*>(LabelCross)})
        w->setEnabled(s.SizeLimit);
    Showing = was;
}

void TRepeatForm::Push() {
    StateV.Clamp();
    if (Engine) Engine->SetState(StateV);
    if (Engine && Context) Engine->ShowPreview(*Context);
    ShowState();
}
