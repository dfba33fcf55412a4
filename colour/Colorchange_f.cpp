#include "colour/Colorchange_f.h"

#include "colour/Hlswheel.h"
#include "colour/Setlist_f.h"
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kCellSide = 22;
constexpr int kStripWidth = 16;
const QString kIniName = QStringLiteral("ColorChange.Ini");

// The lightness strip: white at the top to black at the bottom, the marker at lightness.
QPixmap LightnessStrip(int lightness) {
    QPixmap strip(kStripWidth, kWheelSize);
    QPainter p(&strip);
    QLinearGradient ramp(0, 0, 0, kWheelSize);
    ramp.setColorAt(0, Qt::white);
    ramp.setColorAt(1, Qt::black);
    p.fillRect(strip.rect(), ramp);
    const int y = (100 - lightness) * (kWheelSize - 1) / 100;
    p.setPen(lightness > 50 ? Qt::black : Qt::white);
    p.drawLine(0, y, kStripWidth, y);
    return strip;
}

} // namespace

TColorChangeForm::TColorChangeForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("ColorChange"));
    setWindowTitle(Texts.Get(0));
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize);
    auto* pages = new QButtonGroup(this);
    auto* pageRow = new QHBoxLayout;
    sbByWindow = GroupToggle(Texts.Get(1), pages);
    sbByPen = GroupToggle(Texts.Get(2), pages);
    sbHLS = GroupToggle(Texts.Get(3), pages);
    for (auto [b, page] :
         {std::pair{sbByWindow, ChangeByWindow}, {sbByPen, ChangeByPen}, {sbHLS, ChangeHls}}) {
        pageRow->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, p = page] { PageClick(p); });
    }
    all->addLayout(pageRow);

    ModePanel = new QWidget;
    auto* modes = new QButtonGroup(this);
    auto* modeGrid = new QGridLayout(ModePanel);
    modeGrid->setContentsMargins(0, 0, 0, 0);
    sbSwap = GroupToggle(Texts.Get(4), modes);
    sbSingle = GroupToggle(Texts.Get(5), modes);
    sbMulti = GroupToggle(Texts.Get(6), modes);
    for (auto [b, mode] : {std::pair{sbSwap, ChangeSwap}, {sbSingle, ChangeSingle}, {sbMulti, ChangeMulti}}) {
        modeGrid->addWidget(b, 0, mode);
        connect(b, &QToolButton::clicked, this, [this, m = mode] { ModeClick(m); });
    }
    auto* ends = new QButtonGroup(this);
    sbSource = GroupToggle(Texts.Get(7), ends);
    sbTarget = GroupToggle(Texts.Get(8), ends);
    cbDraw = new QCheckBox(Texts.Get(9));
    modeGrid->addWidget(sbSource, 1, 0);
    modeGrid->addWidget(sbTarget, 1, 1);
    modeGrid->addWidget(cbDraw, 1, 2);
    connect(sbSource, &QToolButton::clicked, this, [this] {
        if (Engine && Context) Engine->CheckSource(*Context);
        ShowSettings();
    });
    connect(sbTarget, &QToolButton::clicked, this, [this] {
        if (Engine && Context) Engine->CheckTarget(*Context);
        ShowSettings();
    });
    connect(cbDraw, &QCheckBox::toggled, this, [this](bool on) {
        if (!Showing && Engine) Engine->SetDraw(on);
    });
    all->addWidget(ModePanel);

    TColourListControls list;
    const QString texts[] = {Texts.Get(10), Texts.Get(11), Texts.Get(12), Texts.Get(13), Texts.Get(14)};
    ListPanel = SetListPanel(
        this, texts, kCellSide, list, Engine, Context, SettingsV, [this] { ShowSettings(); },
        [this] { Push(); });
    Selector = list.Selector;
    sbNew = list.New, sbAll = list.All, sbBlock = list.Block, sbInsert = list.Insert, sbBefore = list.Before;
    connect(sbBefore, &QToolButton::clicked, this, &TColorChangeForm::sbBeforeClick);
    all->addWidget(ListPanel);
    all->addWidget(HlsPanel = MakeHlsPanel());

    SettingsV = ReadColorChangeSettings(TIniFile(SettingsFile(kIniName)));
    SettingsV.Colours.Clear(); // the tool starts with empty sets; "Before Color" gives the kept ones
    SettingsV.Other.Clear();
    ShowImages();
    ShowSettings();
}

TColorChangeForm::~TColorChangeForm() {
    if (Engine) Engine->OnGone = Engine->OnChanged = nullptr;
    TIniFile ini(SettingsFile(kIniName));
    WriteColorChangeSettings(ini, SettingsV);
    ini.UpdateFile();
}

QWidget* TColorChangeForm::MakeHlsPanel() {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    HueSatImage = new QLabel;
    LigImage = new QLabel;
    HueSatImage->installEventFilter(this);
    LigImage->installEventFilter(this);
    grid->addWidget(HueSatImage, 0, 0, 1, 2);
    grid->addWidget(LigImage, 0, 2);
    auto* edits = new QFormLayout;
    seHLSHue = SpinEdit(0, 359);
    seHLSLig = SpinEdit(0, 100);
    seHLSSat = SpinEdit(0, 100);
    edits->addRow(Texts.Get(17), seHLSHue);
    edits->addRow(Texts.Get(18), seHLSLig);
    edits->addRow(Texts.Get(19), seHLSSat);
    grid->addLayout(edits, 1, 0, 1, 3);
    for (QSpinBox* se : {seHLSHue, seHLSLig, seHLSSat})
        connect(se, &QSpinBox::valueChanged, this, &TColorChangeForm::HlsEdited);
    sbNext = SpeedButton(Texts.Get(15));
    sbBack = SpeedButton(Texts.Get(16));
    grid->addWidget(sbNext, 2, 0);
    grid->addWidget(sbBack, 2, 1);
    connect(sbNext, &QToolButton::clicked, this, &TColorChangeForm::sbNextClick);
    connect(sbBack, &QToolButton::clicked, this, [this] {
        if (Engine) Engine->HlsBack();
        ShowSettings();
    });
    return panel;
}

void TColorChangeForm::Attach(TColorChangeTool* engine, TToolContext* context) {
    Context = context;
    AttachSetEngine(Engine, engine, SettingsV, [this] { ShowSettings(); });
    Push();
}

void TColorChangeForm::SetPalette(const TPalette* palette) {
    Selector->SetPalette(palette);
    ShowSettings();
}

bool TColorChangeForm::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove;
    if (!press || (watched != HueSatImage && watched != LigImage))
        return QWidget::eventFilter(watched, event);
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (!(static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton)) return true;
    if (watched == LigImage) {
        seHLSLig->setValue(std::clamp(100 - at.y() * 100 / (kWheelSize - 1), 0, 100));
        return true;
    }
    const TWheelHit hit = WheelHit(at.x(), at.y());
    if (hit.Part == 0) return true;
    Showing = true; // one change for the pair
    seHLSHue->setValue(hit.Hue);
    if (hit.Part == 2) seHLSSat->setValue(int(std::lround(hit.Saturation * 100)));
    Showing = false;
    HlsEdited();
    return true;
}

void TColorChangeForm::PageClick(int page) {
    if (Engine && Context) {
        Engine->SetPick(*Context, PickNone);
        Engine->SetPage(*Context, page);
    } else {
        SettingsV.Show(page);
    }
    TIniFile ini(SettingsFile(kIniName)); // the sets are kept as the page changes
    WriteColorChangeSettings(ini, SettingsV);
    ini.UpdateFile();
    ShowSettings();
}

void TColorChangeForm::ModeClick(int mode) {
    if (Engine && Context) Engine->SetMode(*Context, mode);
    ShowSettings();
}

void TColorChangeForm::sbNextClick() {
    if (!Engine || !Context || !Context->Document) return;
    if (Context->Document->BitsPerPixel() != 8) { // full colour: the source shifted to the target
        int r = 0, g = 0, b = 0;
        HLSToRGB({double(seHLSHue->value()), seHLSLig->value() / 100.0, seHLSSat->value() / 100.0}, r, g, b);
        Engine->ShiftFullColour(*Context, MakeColorRef(r, g, b));
        return;
    }
    if (Engine->HlsNext(*Context)) return ShowSettings();
    const THLS ref = Engine->HlsReference();
    Showing = true;
    seHLSHue->setValue(ref.H == kUndefinedHue ? 0 : int(ref.H));
    seHLSLig->setValue(int(ref.L * 100));
    seHLSSat->setValue(int(ref.S * 100));
    Showing = false;
    ShowImages();
    ShowSettings();
}

void TColorChangeForm::HlsEdited() {
    if (Showing) return;
    ShowImages();
    if (Engine && Engine->HlsRunning())
        Engine->HlsApply({double(seHLSHue->value()), seHLSLig->value() / 100.0, seHLSSat->value() / 100.0});
}

void TColorChangeForm::ShowImages() {
    QPixmap wheel = QPixmap::fromImage(HLSWheelImage(seHLSLig->value() / 100.0));
    QPainter p(&wheel);
    const double angle = seHLSHue->value() * M_PI / 180, radius = seHLSSat->value() * kWheelInner / 100.0;
    const QPoint marker(kWheelCentre + int(std::lround(radius * std::cos(angle))),
                        kWheelCentre - int(std::lround(radius * std::sin(angle))));
    p.setPen(Qt::black);
    p.drawEllipse(marker, 3, 3);
    p.end();
    HueSatImage->setPixmap(wheel);
    LigImage->setPixmap(LightnessStrip(seHLSLig->value()));
}

void TColorChangeForm::sbBeforeClick() {
    const TColorChangeSettings saved = ReadColorChangeSettings(TIniFile(SettingsFile(kIniName)));
    SettingsV.Colours = SettingsV.ColoursAreHls ? saved.HlsSet() : saved.MultiSet();
    Push();
}

void TColorChangeForm::ShowSettings() {
    const bool was = Showing;
    Showing = true;
    const TColorChangeSettings& s = SettingsV;
    sbByWindow->setChecked(s.Page == ChangeByWindow);
    sbByPen->setChecked(s.Page == ChangeByPen);
    sbHLS->setChecked(s.Page == ChangeHls);
    const int mode = s.Page == ChangeByPen ? s.PenMode : s.WindowMode;
    ModePanel->setVisible(s.Page != ChangeHls);
    sbSwap->setVisible(s.Page == ChangeByWindow);
    sbSwap->setChecked(mode == ChangeSwap);
    sbSingle->setChecked(mode == ChangeSingle);
    sbMulti->setChecked(mode == ChangeMulti);
    cbDraw->setVisible(s.Page == ChangeByPen);
    const bool target = Engine && Engine->TargetChecked();
    sbSource->setChecked(!target);
    sbTarget->setChecked(target);
    cbDraw->setChecked(Engine && Engine->Draw());
    ListPanel->setVisible(s.Page == ChangeHls || mode == ChangeMulti);
    HlsPanel->setVisible(s.Page == ChangeHls);
    const bool running = Engine && Engine->HlsRunning();
    sbNext->setEnabled(!running);
    sbBack->setEnabled(running);
    Selector->SetColors(s.Colours);
    const bool engine = Engine != nullptr;
    sbNew->setChecked(engine && Engine->Pick() == PickPixel);
    sbBlock->setChecked(engine && Engine->Pick() == PickBlock);
    sbInsert->setChecked(s.InsertColours);
    Showing = was;
}

void TColorChangeForm::Push() {
    if (Engine) Engine->SetSettings(SettingsV);
    ShowSettings();
}
