#include "shell/Fullview_f.h"

#include "platform/Inifile.h"
#include "raster/Tpstretchimage_f.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Common.h"
#include "shell/Grid_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Placement_f.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QLabel* MakeClickLabel(QWidget* owner) {
    auto* label = new QLabel(QStringLiteral(" Off "));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(owner);
    return label;
}

QString Padded(const QString& text) {
    return QLatin1Char(' ') + text + QLatin1Char(' ');
}
} // namespace

TFullViewForm::TFullViewForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("FullView"));
    const auto text = [this](int i, const char* fallback) {
        const QString t = Texts.Get(i);
        return t.isEmpty() ? QString::fromLatin1(fallback) : t;
    };
    setWindowTitle(text(0, "Full View"));
    LabelZoom = new QLabel(text(1, "Zoom"));
    Label1 = new QLabel(text(2, "Super"));
    Label2 = new QLabel(text(3, "Tapeline"));
    sbGrid = new QToolButton;
    sbGrid->setText(text(4, "Grid"));
    Image = new TPStretchImage;
    Image->setFixedSize(200, 150);
    Image->setCursor(Qt::CrossCursor);
    Image->installEventFilter(this);
    Image->OnPaintEnd = [this](TPStretchImage*) { PaintFrame(); };
    TrackBar = new QSlider(Qt::Horizontal);
    TrackBar->setRange(0, kZoomSteps - 1);
    TrackBar->setPageStep(1);
    TrackBar->setValue(4);
    stSuper = MakeClickLabel(this);
    stTapeline = MakeClickLabel(this);
    LabelOverlap = new QLabel(text(13, "Overlap"));
    tbOverlap = new QSlider(Qt::Horizontal);
    tbOverlap->setRange(0, 100);
    eOverlap = new QLineEdit(QStringLiteral("0"));
    eOverlap->setMaximumWidth(48);
    LabelGridX = new QLabel(text(14, "Gap X"));
    LabelGridY = new QLabel(text(15, "Gap Y"));
    stGridX = new QLabel(QStringLiteral("1"));
    stGridY = new QLabel(QStringLiteral("1"));

    auto* controls = new QGridLayout;
    controls->addWidget(LabelZoom, 0, 0);
    controls->addWidget(TrackBar, 0, 1, 1, 3);
    controls->addWidget(Label1, 1, 0);
    controls->addWidget(stSuper, 1, 1);
    controls->addWidget(Label2, 1, 2);
    controls->addWidget(stTapeline, 1, 3);
    controls->addWidget(LabelOverlap, 2, 0);
    controls->addWidget(tbOverlap, 2, 1, 1, 2);
    controls->addWidget(eOverlap, 2, 3);
    controls->addWidget(LabelGridX, 3, 0);
    controls->addWidget(stGridX, 3, 1);
    controls->addWidget(LabelGridY, 3, 2);
    controls->addWidget(stGridY, 3, 3);
    controls->addWidget(sbGrid, 4, 0);
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(4, 4, 4, 4);
    all->addWidget(Image, 0, Qt::AlignHCenter);
    all->addLayout(controls);
    for (QWidget* w : {static_cast<QWidget*>(LabelOverlap), static_cast<QWidget*>(tbOverlap),
                       static_cast<QWidget*>(eOverlap)})
        w->hide();

    connect(TrackBar, &QSlider::valueChanged, this, &TFullViewForm::TrackBarChange);
    connect(tbOverlap, &QSlider::valueChanged, this, &TFullViewForm::tbOverlapChange);
    connect(eOverlap, &QLineEdit::returnPressed, this, &TFullViewForm::eOverlapEnter);
    connect(sbGrid, &QToolButton::clicked, this, &TFullViewForm::sbGridClick);
    GridDialog = [this](int dpi, TGridSetup& setup) {
        TGridForm dialog(dpi, setup, this);
        dialog.adjustSize(); // left of the full view, whole on the screen with its buttons
        PlaceInsideScreen(&dialog, frameGeometry().topLeft() - QPoint(dialog.width() + 2, 0));
        if (dialog.exec() != QDialog::Accepted) return false;
        setup = dialog.Settings();
        return true;
    };

    ReloadGrid();
}

void TFullViewForm::ReloadGrid() {
    const TIniFile ini(SettingsFile(QStringLiteral("Environment.ini")));
    GridV = ReadGridSetup(ini);
    stGridX->setText(GapLabel(GridV.GapX));
    stGridY->setText(GapLabel(GridV.GapY));
    ApplyGrid();
}

TFullViewForm::~TFullViewForm() {
    Image->SetBitmap(nullptr);
}

void TFullViewForm::ShowImage(TMainImageForm* document) {
    disconnect(DocumentLink);
    DocumentV = document;
    Dragging = false;
    Image->SetBitmap(document ? &document->Document().Picture() : nullptr);
    if (document) {
        // Let go of the picture before the document that owns it goes.
        DocumentLink =
            connect(&document->Document(), &QObject::destroyed, this, [this] { ShowImage(nullptr); });
        const TPTextileImage* view = document->iMainImage;
        const QSignalBlocker block(TrackBar);
        const int position = TrackPositionOf(TZoom{view->GetZoomIn(), view->GetZoomOut()});
        TrackBar->setValue(position);
        LabelZoom->setText(TrackZoomLabel(position));
    }
    Refresh();
}

void TFullViewForm::Refresh() {
    Image->update();
}

TPreviewGeometry TFullViewForm::Geometry() const {
    TPreviewGeometry g;
    g.PreviewW = Image->width();
    g.PreviewH = Image->height();
    if (!DocumentV) return g;
    const TPTextileImage* view = DocumentV->iMainImage;
    const TOrvaneBitmap* bitmap = view->Picture();
    g.ImageW = bitmap->Width;
    g.ImageH = bitmap->Height;
    g.BottomUp = bitmap->BottomUp;
    g.ViewW = view->width();
    g.ViewH = view->height();
    g.ZoomIn = view->GetZoomIn();
    g.ZoomOut = view->GetZoomOut();
    return g;
}

void TFullViewForm::PaintFrame() {
    if (!DocumentV || !DocumentV->Document().Picture().Allocated()) return;
    const QRect frame = VisibleFrame(
        Geometry(), QPoint(DocumentV->iMainImage->PositionX(), DocumentV->iMainImage->PositionY()));
    if (frame.isEmpty()) return;
    // An inverting outline stays visible on any colour of the design.
    QPainter painter(Image);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
}

void TFullViewForm::ScrollTo(QPoint preview, bool move) {
    if (!DocumentV || !DocumentV->Document().Picture().Allocated()) return;
    const QPoint scroll = PreviewToScroll(Geometry(), preview);
    if (move) DocumentV->iMainImage->SetPosition(scroll.x(), scroll.y());
    Image->update();
}

bool TFullViewForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (watched == stSuper || watched == stTapeline) {
        if (type != QEvent::MouseButtonPress || mouse->button() != Qt::LeftButton) return false;
        watched == stSuper ? stSuperClick() : stTapelineClick();
        return true;
    }
    if (watched != Image) return QWidget::eventFilter(watched, event);
    const QPoint at = mouse->position().toPoint();
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        Dragging = true;
        ScrollTo(at, true);
    } else if (type == QEvent::MouseMove && Dragging) {
        ScrollTo(at, true);
    } else if (type == QEvent::MouseButtonRelease && Dragging && mouse->button() == Qt::LeftButton) {
        ScrollTo(at, true);
        Dragging = false;
        if (DocumentV) DocumentV->iMainImage->Paint();
    }
    return true;
}

void TFullViewForm::stSuperClick() {
    SuperV = NextSuperMode(SuperV);
    stSuper->setText(Padded(Texts.Get(SuperCaptionIndex(SuperV))));
    const bool shown = OverlapShown(SuperV);
    LabelOverlap->setVisible(shown);
    tbOverlap->setVisible(shown);
    eOverlap->setVisible(shown);
    Refresh();
    if (OnSuperChange) OnSuperChange();
}

void TFullViewForm::stTapelineClick() {
    if (DocumentV) DocumentV->iMainImage->Paint();
    TapelineV = NextTapeline(TapelineV);
    stTapeline->setText(Padded(Texts.Get(TapelineCaptionIndex(TapelineV))));
}

void TFullViewForm::TrackBarChange(int position) {
    LabelZoom->setText(TrackZoomLabel(position));
    if (!DocumentV) return;
    const TZoom zoom = TrackZoom(position);
    DocumentV->iMainImage->SetZoom(zoom.In, zoom.Out);
    emit DocumentV->StatusChanged();
    Refresh();
}

void TFullViewForm::tbOverlapChange(int position) {
    eOverlap->setText(QString::number(position));
    OverlapV = position;
    if (OnOverlapChange) OnOverlapChange();
}

void TFullViewForm::eOverlapEnter() {
    const int value = ClampOverlap(eOverlap->text());
    eOverlap->setText(QString::number(value));
    tbOverlap->setValue(value); // an unchanged value moves nothing
    if (OverlapV != value) {
        OverlapV = value;
        if (OnOverlapChange) OnOverlapChange();
    }
}

void TFullViewForm::sbGridClick() {
    TGridSetup setup = GridV;
    const int dpi = DocumentV ? DocumentV->Document().Paper().dpi : 160;
    if (!GridDialog || !GridDialog(dpi, setup)) return;
    GridV = setup;
    stGridX->setText(GapLabel(GridV.GapX));
    stGridY->setText(GapLabel(GridV.GapY));
    TIniFile ini(SettingsFile(QStringLiteral("Environment.ini")));
    WriteGridSetup(ini, GridV);
    ApplyGrid();
}

void TFullViewForm::ApplyGrid() {
    if (!DocumentV) return;
    TPTextileImage* view = DocumentV->iMainImage;
    const int dpi = DocumentV->Document().Paper().dpi;
    view->SetGridGapX(LengthToDots(GridV.GapX, GridV.Unit, dpi));
    view->SetGridGapY(LengthToDots(GridV.GapY, GridV.Unit, dpi));
    view->SetGridColor(GridV.Color);
    view->SetGridMark(GridV.LinesPerSection);
    view->SetGridMarkColor(GridV.SectionColor);
    view->Paint();
}
