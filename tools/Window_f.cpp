#include "tools/Window_f.h"

#include "colour/Pcolorgrid_f.h"
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "tools/Toolcontrols_f.h"
#include "tools/Windowtool.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kIniName = QStringLiteral("Window.Ini");
constexpr int kCellSide = 22; // the colour set's cells

} // namespace

TWindowForm::TWindowForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Window"));
    setWindowTitle(Texts.Get(0));
    auto* modes = new QGridLayout;
    auto* modeSet = new QButtonGroup(this);
    QToolButton** buttons[] = {&sbShape, &sbIrregular, &sbOutline, &sbFull, &sbOff, &sbUndo};
    for (int i = 0; i < 6; ++i) {
        *buttons[i] = SpeedButton(Texts.Get(1 + i), i < 3);
        modes->addWidget(*buttons[i], i / 3, i % 3);
        if (i < 3) {
            modeSet->addButton(*buttons[i]);
            connect(*buttons[i], &QToolButton::clicked, this, [this, i] { ModeClick(i); });
        }
    }
    connect(sbFull, &QToolButton::clicked, this, [this] { Button(&TWindowTool::Full); });
    connect(sbOff, &QToolButton::clicked, this, [this] { Button(&TWindowTool::Off); });
    connect(sbUndo, &QToolButton::clicked, this, [this] { Button(&TWindowTool::Undo); });
    Panels[WindowShape] = MakeShapePanel();
    Panels[WindowIrregular] = MakeIrregularPanel();
    Panels[WindowOutline] = MakeOutlinePanel();
    rbSet = new QRadioButton(Texts.Get(23));
    rbAddition = new QRadioButton(Texts.Get(24));
    rbSubtraction = new QRadioButton(Texts.Get(25));
    rbSwap = new QRadioButton(Texts.Get(26));
    rbStack = new QRadioButton(Texts.Get(27));
    // Narrow, like the tool palette's buttons: two radio buttons a row.
    auto* combine = new QGridLayout;
    auto* combineSet = new QButtonGroup(this);
    for (QRadioButton* b : {rbSet, rbAddition, rbSubtraction}) {
        combine->addWidget(b, combineSet->buttons().size() / 2, combineSet->buttons().size() % 2);
        combineSet->addButton(b);
        connect(b, &QRadioButton::clicked, this, [this, b] {
            SettingsV.Combine = b == rbSet ? CombineSet : b == rbAddition ? CombineAdd : CombineSubtract;
            Push();
        });
    }
    auto* undo = new QHBoxLayout;
    auto* undoSet = new QButtonGroup(this);
    for (QRadioButton* b : {rbSwap, rbStack}) {
        undo->addWidget(b);
        undoSet->addButton(b);
        connect(b, &QRadioButton::clicked, this, [this, b] {
            SettingsV.Swap = b == rbSwap;
            Push();
        });
    }
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    all->addLayout(modes);
    for (QWidget* panel : Panels) // only the chosen mode's shows
        all->addWidget(panel);
    all->addLayout(combine);
    all->addLayout(undo);
    SettingsV = ReadWindowSettings(TIniFile(SettingsFile(kIniName)));
    ShowSettings();
}

TWindowForm::~TWindowForm() {
    if (Engine) {
        Engine->OnGone = nullptr;
        Engine->OnPicked = nullptr;
        Engine->OnSize = nullptr;
        Engine->OnPosition = nullptr;
    }
    TIniFile ini(SettingsFile(kIniName));
    WriteWindowSettings(ini, SettingsV);
    ini.UpdateFile();
}

QWidget* TWindowForm::MakeShapePanel() {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* set = new QButtonGroup(panel);
    for (int k = 0; k < 4; ++k) {
        sbShapeKind[k] = SpeedButton(Texts.Get(7 + k), true);
        set->addButton(sbShapeKind[k]);
        grid->addWidget(sbShapeKind[k], k / 2, k % 2);
        connect(sbShapeKind[k], &QToolButton::clicked, this, [this, k] {
            SettingsV.Shape = k;
            Push();
        });
    }
    lbShape = new QLabel(Texts.Get(11));
    grid->addWidget(lbShape, 2, 0, 1, 2);
    return panel;
}

QWidget* TWindowForm::MakeIrregularPanel() {
    auto* panel = new QWidget;
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    sbIrreDelete = SpeedButton(Texts.Get(12), false);
    sbIrreClose = SpeedButton(Texts.Get(13), false);
    cbIrreCurve = new QCheckBox(Texts.Get(14));
    for (QWidget* w : {static_cast<QWidget*>(sbIrreDelete), static_cast<QWidget*>(sbIrreClose),
                       static_cast<QWidget*>(cbIrreCurve)})
        row->addWidget(w);
    connect(sbIrreDelete, &QToolButton::clicked, this, [this] { Button(&TWindowTool::DeletePoint); });
    connect(sbIrreClose, &QToolButton::clicked, this, [this] { Button(&TWindowTool::Close); });
    connect(cbIrreCurve, &QCheckBox::clicked, this, [this](bool on) {
        SettingsV.Curve = on;
        Push();
    });
    return panel;
}

QWidget* TWindowForm::MakeOutlinePanel() {
    auto* panel = new QWidget;
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    auto* kinds = new QVBoxLayout;
    auto* set = new QButtonGroup(panel);
    for (int k = 0; k < 3; ++k) {
        sbOutlineKind[k] = SpeedButton(Texts.Get(15 + k), true);
        set->addButton(sbOutlineKind[k]);
        kinds->addWidget(sbOutlineKind[k]);
        connect(sbOutlineKind[k], &QToolButton::clicked, this, [this, k] {
            SettingsV.Outline = k;
            Push();
        });
    }
    csSurfaceMulti = new TColorSelector;
    csSurfaceMulti->SetXSquares(6);
    csSurfaceMulti->SetYSquares(2);
    csSurfaceMulti->setFixedHeight(2 * kCellSide);
    connect(csSurfaceMulti, &TColorSelector::OnRemove, this, [this](int index) {
        SettingsV.Colours.Remove(index);
        Push();
    });
    cbPosition = new QCheckBox(Texts.Get(18));
    connect(cbPosition, &QCheckBox::clicked, this, [this](bool on) {
        SettingsV.Position = on;
        Push();
    });
    tbMagic = new QSlider(Qt::Horizontal);
    seMagic = new QSpinBox;
    tbMagic->setRange(kMinTolerance, kMaxTolerance);
    seMagic->setRange(kMinTolerance, kMaxTolerance);
    connect(tbMagic, &QSlider::valueChanged, this, &TWindowForm::TolChange);
    connect(seMagic, &QSpinBox::valueChanged, this, &TWindowForm::TolChange);
    cbMagic = new QComboBox;
    cbMagic->addItems({Texts.Get(19), Texts.Get(20)});
    connect(cbMagic, &QComboBox::activated, this, [this](int method) {
        SettingsV.Method = method;
        Push();
    });
    bnRun = new QPushButton(Texts.Get(21));
    connect(bnRun, &QPushButton::clicked, this, [this] { Button(&TWindowTool::Run); });
    lbMagic = new QLabel(Texts.Get(22));
    auto* magic = new QGridLayout;
    magic->addWidget(new QLabel(Texts.Get(28)), 0, 0);
    magic->addWidget(seMagic, 0, 1);
    magic->addWidget(tbMagic, 1, 0, 1, 2);
    magic->addWidget(cbMagic, 2, 0, 1, 2);
    magic->addWidget(bnRun, 3, 0);
    magic->addWidget(lbMagic, 3, 1);
    box->addLayout(kinds);
    box->addWidget(csSurfaceMulti);
    box->addWidget(cbPosition);
    box->addLayout(magic);
    return panel;
}

void TWindowForm::Attach(TWindowTool* engine, TToolContext* context) {
    Engine = engine;
    Context = context;
    if (!Engine) return;
    Engine->OnGone = [this] { Engine = nullptr; };
    Engine->OnPicked = [this](int index) { Picked(index); };
    Engine->OnSize = [this](QSize size) {
        lbShape->setText(
            QStringLiteral("%1 %2 x %3").arg(Texts.Get(11)).arg(size.width()).arg(size.height()));
    };
    Engine->OnPosition = [this](QPoint at) {
        lbMagic->setText(QStringLiteral("%1 %2, %3").arg(Texts.Get(22)).arg(at.x()).arg(at.y()));
    };
    Push();
}

void TWindowForm::SetPalette(const TPalette* palette, int bitsPerPixel) {
    Pal = palette;
    Bits = bitsPerPixel;
    csSurfaceMulti->SetPalette(palette);
    if (palette) SettingsV.Colours.Bind(*palette);
    ShowSettings();
}

void TWindowForm::ShowSettings() {
    sbShape->setChecked(SettingsV.Mode == WindowShape);
    sbIrregular->setChecked(SettingsV.Mode == WindowIrregular);
    sbOutline->setChecked(SettingsV.Mode == WindowOutline);
    for (int mode = 0; mode < 3; ++mode)
        Panels[mode]->setVisible(mode == SettingsV.Mode);
    sbShapeKind[SettingsV.Shape]->setChecked(true);
    cbIrreCurve->setChecked(SettingsV.Curve);
    sbOutlineKind[SettingsV.Outline]->setChecked(true);
    csSurfaceMulti->SetColors(SettingsV.Colours);
    cbPosition->setChecked(SettingsV.Position);
    {
        const QSignalBlocker a(tbMagic), b(seMagic);
        tbMagic->setValue(SettingsV.Tolerance);
        seMagic->setValue(SettingsV.Tolerance);
    }
    cbMagic->setCurrentIndex(SettingsV.Method);
    // The colour set serves 256-colour designs, the magic methods full-colour ones.
    const bool multi = SettingsV.Outline == OutlineMulti;
    for (QWidget* w : {static_cast<QWidget*>(csSurfaceMulti), static_cast<QWidget*>(cbPosition)})
        w->setEnabled(multi && Bits == 8);
    for (QWidget* w : {static_cast<QWidget*>(tbMagic), static_cast<QWidget*>(seMagic),
                       static_cast<QWidget*>(cbMagic), static_cast<QWidget*>(bnRun)})
        w->setEnabled(multi && Bits == 24);
    (SettingsV.Combine == CombineSet   ? rbSet
     : SettingsV.Combine == CombineAdd ? rbAddition
                                       : rbSubtraction)
        ->setChecked(true);
    (SettingsV.Swap ? rbSwap : rbStack)->setChecked(true);
}

void TWindowForm::Push() {
    if (Engine) Engine->SetSettings(*Context, SettingsV);
    ShowSettings();
}

void TWindowForm::ModeClick(int mode) {
    SettingsV.Mode = mode;
    Push();
}

void TWindowForm::TolChange(int tolerance) {
    SettingsV.Tolerance = std::clamp(tolerance, kMinTolerance, kMaxTolerance);
    Push();
}

void TWindowForm::Picked(int index) {
    if (!Pal || !SettingsV.Colours.Add(index, *Pal)) return; // held already, or the set is full
    Push();
}

void TWindowForm::Button(uint32_t (TWindowTool::*call)(TToolContext&)) {
    if (Engine && Context) (Engine->*call)(*Context);
}
