#include "colour/Palette_f.h"
#include "colour/Palfilemanager_f.h"

#include "colour/Colorchart_f.h"
#include "colour/Colorlibraries.h"
#include "colour/Colorlibrary_f.h"
#include "colour/Colorref.h"
#include "colour/Colorreport.h"
#include "colour/Hlswheel.h"
#include "colour/Librarypanel_f.h"
#include "colour/Pcmy.h"
#include "colour/Pcolorgrid_f.h"
#include "colour/Phls.h"
#include "colour/Protect_f.h"
#include "shell/Common.h"
#include "shell/Placement_f.h"
#include "shell/Tdocument.h"
#include "tools/Tooldispatch.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

// Protection mode's hold on the design: its left presses and moves go to the panel.
class TProtectTool : public TTool {
  public:
    explicit TProtectTool(TProtectPanel* panel) : Panel(panel) {}
    void MouseDown(TToolContext& c, const TToolPointer& p) override {
        if (c.Document) Panel->ImageDown(c.Document->Picture(), p.X, p.Y);
    }
    void MouseMove(TToolContext&, const TToolPointer& p) override { Panel->ImageMove(p.X, p.Y); }

  private:
    TProtectPanel* Panel;
};

namespace {
// The wheel picture, reporting presses and drags in its own pixels.
class TWheelLabel : public QLabel {
  public:
    std::function<void(int, int)> OnPress;

  protected:
    void mousePressEvent(QMouseEvent* e) override { Report(e); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (e->buttons() & Qt::LeftButton) Report(e);
    }

  private:
    void Report(QMouseEvent* e) {
        if (OnPress) OnPress(int(e->position().x()), int(e->position().y()));
    }
};

QSpinBox* SpinEdit(int max) {
    auto* se = new QSpinBox;
    se->setRange(0, max);
    return se;
}

QProgressBar* Gauge() {
    auto* g = new QProgressBar;
    g->setOrientation(Qt::Vertical);
    g->setRange(0, 255);
    g->setTextVisible(false);
    g->setFixedWidth(14);
    return g;
}
} // namespace

TColorSwatch::TColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMinimumSize(48, 36);
}

void TColorSwatch::SetColor(TColorRef colour, const QString& text) {
    Colour = colour;
    Caption = text;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    const QColor c = ToQColor(Colour);
    p.fillRect(contentsRect(), c);
    p.setPen(qGray(c.rgb()) < 128 ? Qt::white : Qt::black);
    p.drawText(contentsRect(), Qt::AlignCenter, Caption);
}

void TColorSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnClick) OnClick();
}

TPaletteForm::TPaletteForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    auto* buttons = new QHBoxLayout;
    for (QToolButton** b : {&sbCMY, &sbHLS, &sbLibrary, &sbFile, &sbChart, &SpeedButtonProtect, &sbUndo}) {
        *b = new QToolButton;
        (*b)->setCheckable(*b != sbUndo);
        buttons->addWidget(*b);
    }
    for (int mode = ModeCMY; mode <= ModeProtection; ++mode)
        connect(ModeButton(mode), &QToolButton::clicked, this,
                [this, mode](bool down) { SetMode(down ? mode : ModeNone); });
    sbUndo->setEnabled(false);
    connect(sbUndo, &QToolButton::clicked, this, [this] { sbUndoClick(); });

    DIB256Palette = new TDIB256Palette;
    DIB256Palette->SetXSquares(7);
    DIB256Palette->SetYSquares(4);
    DIB256Palette->setFixedSize(7 * 22 + 16, 4 * 22);
    connect(DIB256Palette, &TDIB256Palette::OnChoiceIndexChange, this,
            &TPaletteForm::DIB256PaletteChoiceIndexChange);
    connect(DIB256Palette, &TDIB256Palette::OnCursorIndexChange, this,
            &TPaletteForm::DIB256PaletteCursorIndexChange);
    connect(DIB256Palette, &TDIB256Palette::OnRightPress, this, &TPaletteForm::DIB256PaletteRightPress);
    DIB256Palette->OnEdit = [this](const std::function<bool(TPalette&)>& edit) { return EditPalette(edit); };
    connect(DIB256Palette, &TDIB256Palette::OnUseColorChange, this, [this] { ShowColors(); });
    connect(DIB256Palette, &TDIB256Palette::OnColorChange, this, [this] { ShowColors(); });

    FGColor = new TColorSwatch;
    BGColor = new TColorSwatch;
    CursorColor = new TColorSwatch;
    BGColor->OnClick = [this] { DIB256Palette->SetChoiceIndex(1); };
    auto* swatches = new QVBoxLayout;
    swatches->addWidget(FGColor);
    swatches->addWidget(BGColor);
    swatches->addWidget(CursorColor);
    auto* body = new QHBoxLayout;
    body->addWidget(DIB256Palette);
    body->addLayout(swatches);

    BuildCMY();
    BuildHLS();
    // Library mode waits for the colour libraries, the File panel for its window.
    sbLibrary->setEnabled(false);
    pnLibrary = new TLibraryPanel;
    ColorLibrary = new TColorLibraryForm(this);
    pnLibrary->OnView = [this](int view) { ColorLibrary->ShowView(view); };
    pnLibrary->OnFound = [this](int view, int page) { ColorLibrary->ShowFound(view, page); };
    pnLibrary->OnWrite = [this](const TColorData& e) { WriteLibraryEntry(e); };
    ColorLibrary->OnChoose = [this](const TColorData& e) { WriteLibraryEntry(e); };
    PaletteFiles = new TPFMForm(this);
    // Closing the manager leaves File mode.
    PaletteFiles->installEventFilter(this);
    PaletteFiles->CurrentIndex = [this] { return DIB256Palette->ChoiceIndex(); };
    pnProtect = new TProtectPanel;
    ProtectTool = std::make_unique<TProtectTool>(pnProtect);
    pnProtect->Picture = [this]() -> const TOrvaneBitmap* { return Doc ? &Doc->Picture() : nullptr; };
    pnProtect->OnRubberBand = [this](const QRect& rect) {
        if (Dispatch && Dispatch->Context().View) Dispatch->Context().View->ShowRubberBand(rect);
    };
    // O.K: exactly the set is flagged, and the document's protection follows.
    pnProtect->OnProtect = [this](const TChoiceColor& set) {
        bool any = false;
        TDocument* doc = Doc;
        EditPalette([&](TPalette& p) {
            any = ProtectColors(p, set);
            return true;
        });
        SetMode(ModeNone);
        if (doc) doc->SetProtection(any);
    };
    ColorChart = new TColorChartForm(this);
    ColorChart->OnChoose = [this](int index) { DIB256Palette->SetChoiceIndex(index); };
    auto* all = new QVBoxLayout(this);
    all->setSizeConstraint(QLayout::SetFixedSize); // the window grows and shrinks with the panel
    all->addLayout(buttons);
    all->addLayout(body);
    for (QWidget* panel :
         {pnCMY, pnHLS, static_cast<QWidget*>(pnLibrary), static_cast<QWidget*>(pnProtect)}) {
        panel->hide();
        all->addWidget(panel);
    }
    ApplyTexts();
    ShowColors();
}

TPaletteForm::~TPaletteForm() = default;

void TPaletteForm::SetLibraries(const TColorLibraries* libraries) {
    pnLibrary->SetLibraries(libraries);
    PaletteFiles->FindBookCode = [libraries](int book, const QString& code, TColorData& found) {
        return libraries && libraries->FindBookCode(book, code, found);
    };
    PaletteFiles->CodeText = [libraries](const TColorData& entry) {
        const QString text = libraries ? libraries->CodeOf(entry) : QString();
        return text.isEmpty() ? EntryCodeText(entry) : text;
    };
    ColorLibrary->SetLibraries(libraries);
    sbLibrary->setEnabled(libraries != nullptr);
    if (libraries)
        FindLibraryColor = [libraries](int r, int g, int b, bool pantone, TColorData& found) {
            return libraries->NearestOfTwo(r, g, b, pantone, found);
        };
    else
        FindLibraryColor = nullptr;
    ReloadPanel();
}

void TPaletteForm::WriteLibraryEntry(const TColorData& e) {
    if (!Doc || Bits != 8) return;
    const int index = DIB256Palette->ChoiceIndex();
    Edits.Save(Doc->Palette(), index);
    sbUndo->setEnabled(true);
    // A user colour keeps its name and library file with it.
    if (e.IsUser())
        DIB256Palette->CopyEntry(index, e);
    else
        DIB256Palette->SetEntryLibrary(index, e.Kind(), e.Page, e.Number, e.Red(), e.Green(), e.Blue());
}

void TPaletteForm::SetDispatch(TToolDispatch* dispatch) {
    Dispatch = dispatch;
}

bool TPaletteForm::EditPalette(const std::function<bool(TPalette&)>& edit) {
    return Doc && Doc->EditPalette(edit);
}

void TPaletteForm::BuildCMY() {
    pnCMY = new QWidget;
    auto* grid = new QGridLayout(pnCMY);
    seCyan = SpinEdit(255);
    seMagenta = SpinEdit(255);
    seYellow = SpinEdit(255);
    gaCyan = Gauge();
    gaMagenta = Gauge();
    gaYellow = Gauge();
    int column = 0;
    for (auto [se, ga] : {std::pair{seCyan, gaCyan}, {seMagenta, gaMagenta}, {seYellow, gaYellow}}) {
        grid->addWidget(new QLabel, 0, column); // caption set in ApplyTexts
        grid->addWidget(ga, 1, column, Qt::AlignHCenter);
        grid->addWidget(se, 2, column);
        connect(se, &QSpinBox::valueChanged, this, [this] { seCMYChange(); });
        ++column;
    }
    btCMYLibrary = new QPushButton;
    btCMYPantone = new QPushButton;
    grid->addWidget(btCMYLibrary, 3, 0, 1, 3);
    grid->addWidget(btCMYPantone, 4, 0, 1, 3);
    connect(btCMYLibrary, &QPushButton::clicked, this, [this] { LibraryColorClick(false); });
    connect(btCMYPantone, &QPushButton::clicked, this, [this] { LibraryColorClick(true); });
}

void TPaletteForm::BuildHLS() {
    pnHLS = new QWidget;
    auto* row = new QHBoxLayout(pnHLS);
    auto* wheel = new TWheelLabel;
    wheel->setFixedSize(kWheelSize, kWheelSize);
    wheel->OnPress = [this](int x, int y) { WheelPress(x, y); };
    imWheel = wheel;
    row->addWidget(imWheel);
    auto* edits = new QGridLayout;
    seHue = SpinEdit(359);
    seLightness = SpinEdit(100);
    seSaturation = SpinEdit(100);
    int line = 0;
    for (QSpinBox* se : {seHue, seLightness, seSaturation}) {
        edits->addWidget(new QLabel, line, 0);
        edits->addWidget(se, line++, 1);
        connect(se, &QSpinBox::valueChanged, this, [this] { seHLSChange(); });
    }
    btHLSLibrary = new QPushButton;
    btHLSPantone = new QPushButton;
    edits->addWidget(btHLSLibrary, line++, 0, 1, 2);
    edits->addWidget(btHLSPantone, line, 0, 1, 2);
    connect(btHLSLibrary, &QPushButton::clicked, this, [this] { LibraryColorClick(false); });
    connect(btHLSPantone, &QPushButton::clicked, this, [this] { LibraryColorClick(true); });
    row->addLayout(edits);
    imWheel->setPixmap(QPixmap::fromImage(HLSWheelImage(0.5)));
}

void TPaletteForm::showEvent(QShowEvent* event) {
    ApplyTexts(); // the language may have changed while the window was hidden
    QWidget::showEvent(event);
}

void TPaletteForm::ApplyTexts() {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Palette"));
    setWindowTitle(Texts.Get(0));
    int i = 1;
    for (QToolButton* b : {sbCMY, sbHLS, sbLibrary, sbFile, sbChart, SpeedButtonProtect, sbUndo}) {
        b->setText(Texts.Get(i));
        b->setToolTip(Texts.Get(i++));
    }
    for (QPushButton* b : {btCMYLibrary, btHLSLibrary})
        b->setText(Texts.Get(14));
    for (QPushButton* b : {btCMYPantone, btHLSPantone})
        b->setText(Texts.Get(15));
    pnProtect->ApplyTexts(Texts);
    pnLibrary->ApplyTexts(Texts);
    const QList<QLabel*> cmy = pnCMY->findChildren<QLabel*>(), hls = pnHLS->findChildren<QLabel*>();
    for (int k = 0; k < 3 && k < cmy.size(); ++k)
        cmy[k]->setText(Texts.Get(8 + k));
    for (int k = 0; k < 3 && k + 1 < hls.size(); ++k) // hls[0] is the wheel
        hls[k + 1]->setText(Texts.Get(11 + k));
}

QToolButton* TPaletteForm::ModeButton(int mode) const {
    switch (mode) {
    case ModeCMY:
        return sbCMY;
    case ModeHLS:
        return sbHLS;
    case ModeLibrary:
        return sbLibrary;
    case ModeFile:
        return sbFile;
    case ModeChart:
        return sbChart;
    case ModeProtection:
        return SpeedButtonProtect;
    default:
        return nullptr;
    }
}

void TPaletteForm::AttachDocument(TDocument* document) {
    if (document && document == Doc) return; // the same design: its edits stay undoable
    if (ModeNo == ModeProtection && document != Doc) SetMode(ModeNone); // the set belongs to the old design
    disconnect(DocLink);
    Doc = document;
    const TPalette* palette = document ? &document->Palette() : nullptr;
    if (document)
        DocLink = connect(document, &TDocument::PaletteChanged, this, &TPaletteForm::PaletteChanged);
    ColorChart->SetPalette(palette);
    ColorLibrary->SetPalette(palette, document ? &document->Picture() : nullptr);
    PaletteFiles->SetDocument(document);
    Edits.Clear(); // entries of another design's palette would be written into this one
    sbUndo->setEnabled(false);
    DIB256Palette->SetPalette(palette);
    ImageDepthChanged(document ? document->BitsPerPixel() : 8);
    ReloadPanel();
}

void TPaletteForm::PaletteChanged() {
    DIB256Palette->update();
    ColorChart->update();
    if (ColorLibrary->isVisible()) ColorLibrary->RefreshPalette();
    ShowColors();
    if (!Loading) ReloadPanel();
}

void TPaletteForm::ShowColour(const TCurrentColour& colour) {
    if (Bits != 8 || colour.Index == DIB256Palette->ChoiceIndex()) {
        ShowColors(); // a full-colour pick shows in the swatch
        return;
    }
    Following = true;
    DIB256Palette->SetChoiceIndex(colour.Index);
    Following = false;
}

void TPaletteForm::ImageDepthChanged(int bitsPerPixel) {
    const bool changed = bitsPerPixel != Bits;
    Bits = bitsPerPixel;
    if (changed && ModeNo != ModeLibrary && ModeNo != ModeFile) SetMode(ModeNone);
    // Protection and colour editing are for 256-colour designs.
    for (QToolButton* b : {SpeedButtonProtect, sbCMY, sbHLS})
        b->setEnabled(Bits == 8);
    ShowColors();
}

void TPaletteForm::SetMode(int mode) {
    if (mode < ModeNone || mode > ModeProtection || (mode == ModeProtection && Bits != 8)) mode = ModeNone;
    if (QToolButton* b = ModeButton(mode); b && !b->isEnabledTo(this)) mode = ModeNone;
    if (QToolButton* old = ModeButton(ModeNo)) old->setChecked(false);
    const int oldMode = ModeNo;
    ModeNo = mode;
    // Protection mode holds the design's input through the dispatcher while it is open.
    if (oldMode == ModeProtection && mode != ModeProtection) {
        pnProtect->Leave();
        if (Dispatch) Dispatch->SetModal(nullptr);
    }
    if (oldMode != ModeProtection && mode == ModeProtection) {
        pnProtect->Enter(Doc ? &Doc->Palette() : nullptr);
        if (Dispatch) Dispatch->SetModal(ProtectTool.get());
    }
    const bool opening = mode == ModeChart && !ColorChart->isVisible();
    ColorChart->setVisible(mode == ModeChart);
    if (opening) // beside the palette window, on the screen
        PlaceInsideScreen(ColorChart,
                          frameGeometry().topLeft() - QPoint(ColorChart->frameGeometry().width() + 2, 0));
    if (mode == ModeChart) ColorChart->ShowIndex(DIB256Palette->ChoiceIndex());
    if (mode == ModeFile && !PaletteFiles->isVisible())
        PlaceInsideScreen(PaletteFiles,
                          frameGeometry().topLeft() - QPoint(PaletteFiles->frameGeometry().width() + 2, 0));
    PaletteFiles->setVisible(mode == ModeFile);
    Edits.EndRun();
    if (QToolButton* now = ModeButton(mode)) now->setChecked(true);
    pnCMY->setVisible(mode == ModeCMY);
    pnHLS->setVisible(mode == ModeHLS);
    pnProtect->setVisible(mode == ModeProtection);
    pnLibrary->setVisible(mode == ModeLibrary);
    const bool libraryOpening = mode == ModeLibrary && !ColorLibrary->isVisible();
    ColorLibrary->setVisible(mode == ModeLibrary);
    if (libraryOpening) {
        ColorLibrary->RefreshPalette();
        PlaceInsideScreen(ColorLibrary, frameGeometry().bottomLeft() + QPoint(0, 2));
    }
    ReloadPanel();
}

void TPaletteForm::LibraryColorClick(bool pantone) {
    if (!Doc || (ModeNo != ModeCMY && ModeNo != ModeHLS)) return;
    int r = 0, g = 0, b = 0;
    PanelColor(ModeNo, r, g, b);
    Edits.Save(Doc->Palette(), DIB256Palette->ChoiceIndex());
    sbUndo->setEnabled(true);
    TColorData found;
    const int index = DIB256Palette->ChoiceIndex();
    if (FindLibraryColor && FindLibraryColor(r, g, b, pantone, found))
        DIB256Palette->SetEntryLibrary(index, found.Kind(), found.Page, found.Number, found.Red(),
                                       found.Green(), found.Blue());
    else
        DIB256Palette->SetEntryRGB(index, r, g, b);
    ReloadPanel();
}

void TPaletteForm::ReloadPanel() {
    // The library buttons wait for colour libraries to search.
    for (QPushButton* b : {btCMYLibrary, btCMYPantone, btHLSLibrary, btHLSPantone})
        b->setEnabled(bool(FindLibraryColor));
    Loading = true;
    const TColorData empty;
    const TColorData& e = Doc ? Doc->Palette()[DIB256Palette->ChoiceIndex()] : empty;
    if (ModeNo == ModeCMY) {
        const TCMY cmy = RGBToCMY(e.Red(), e.Green(), e.Blue());
        seCyan->setValue(cmy.C);
        seMagenta->setValue(cmy.M);
        seYellow->setValue(cmy.Y);
    }
    if (ModeNo == ModeHLS) {
        const THLS hls = RGBToHLS(e.Red(), e.Green(), e.Blue());
        seHue->setValue(hls.H == kUndefinedHue ? 0 : int(std::lround(hls.H)) % 360);
        seLightness->setValue(int(std::lround(hls.L * 100)));
        seSaturation->setValue(int(std::lround(hls.S * 100)));
        imWheel->setPixmap(QPixmap::fromImage(HLSWheelImage(hls.L)));
    }
    gaCyan->setValue(seCyan->value());
    gaMagenta->setValue(seMagenta->value());
    gaYellow->setValue(seYellow->value());
    Loading = false;
}

void TPaletteForm::EditEntry(int red, int green, int blue) {
    if (Loading || !Doc) return;
    if (!Undoing) {
        Edits.BeforeEdit(Doc->Palette(), DIB256Palette->ChoiceIndex());
        sbUndo->setEnabled(true);
    }
    Loading = true; // the palette notice must not reload the panel being edited
    DIB256Palette->SetEntryRGB(DIB256Palette->ChoiceIndex(), red, green, blue);
    Loading = false;
}

void TPaletteForm::seCMYChange() {
    gaCyan->setValue(seCyan->value());
    gaMagenta->setValue(seMagenta->value());
    gaYellow->setValue(seYellow->value());
    int r = 0, g = 0, b = 0;
    PanelColor(ModeCMY, r, g, b);
    EditEntry(r, g, b);
}

void TPaletteForm::seHLSChange() {
    int r = 0, g = 0, b = 0;
    PanelColor(ModeHLS, r, g, b);
    EditEntry(r, g, b);
}

void TPaletteForm::PanelColor(int mode, int& r, int& g, int& b) const {
    if (mode == ModeCMY)
        CMYToRGB(TCMY{seCyan->value(), seMagenta->value(), seYellow->value()}, r, g, b);
    else
        HLSToRGB(THLS{double(seHue->value()), seLightness->value() / 100.0, seSaturation->value() / 100.0}, r,
                 g, b);
}

void TPaletteForm::WheelPress(int x, int y) {
    const TWheelHit hit = WheelHit(x, y);
    if (hit.Part == 0) return;
    Loading = true; // one edit for both values
    seHue->setValue(hit.Hue);
    if (hit.Part == 2) seSaturation->setValue(int(std::lround(hit.Saturation * 100)));
    Loading = false;
    seHLSChange();
}

void TPaletteForm::sbUndoClick() {
    int index = 0;
    TColorData entry;
    if (Doc && Edits.TakeLast(index, entry)) {
        Undoing = true;
        DIB256Palette->CopyEntry(index, entry);
        DIB256Palette->SetChoiceIndex(index);
        Undoing = false;
        sbUndo->setEnabled(!Edits.Empty());
    }
    ReloadPanel();
}

void TPaletteForm::DIB256PaletteChoiceIndexChange(int index) {
    if (Dispatch && !Following)
        Dispatch->SetColour(TCurrentColour::OfIndex(index)); // drawing takes the entry
    if (!Undoing) Edits.EndRun();                            // the first edit of the new entry saves undo
    if (ModeNo == ModeChart) ColorChart->ShowIndex(index);
    if (ModeNo == ModeProtection) pnProtect->PaletteChoice(index);
    if (ModeNo == ModeLibrary && Doc) {
        if (pnLibrary->Choice() == 0)
            ColorLibrary->SelectIndex(index);
        else
            pnLibrary->ShowNearest(Doc->Palette()[index]);
    }
    ReloadPanel();
    ShowColors();
}

void TPaletteForm::DIB256PaletteCursorIndexChange(int index) {
    CursorColor->SetColor(DIB256Palette->ColorOf(index), Bits == 8 ? QString::number(index - 1) : QString());
    if (Dispatch && Bits == 8) Dispatch->PaletteHover(index); // the Color Change tool's preview
}

void TPaletteForm::DIB256PaletteRightPress(int index) {
    if (Bits == 8 || !Doc) return;
    DIB256Palette->SetUseColor(index); // the grid shows the design's own palette
}

void TPaletteForm::ShowColors() {
    const int index = DIB256Palette->ChoiceIndex();
    const QString text =
        QString::number(index - 1) + QLatin1Char('\n') + QString::number(DIB256Palette->UseColor() - 1);
    if (Bits == 24 && Dispatch && Dispatch->Colour().HasRgb)
        FGColor->SetColor(Dispatch->Colour().Rgb, QString());
    else
        FGColor->SetColor(DIB256Palette->ColorOf(index <= 1 ? 1 : index), text);
    BGColor->SetColor(DIB256Palette->BackColor(), QStringLiteral("0"));
}

bool TPaletteForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PaletteFiles && event->type() == QEvent::Close && ModeNo == ModeFile) SetMode(ModeNone);
    return QWidget::eventFilter(watched, event);
}
