#include "shell/Mainimage_f.h"

#include "platform/Inifile.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Autosave_f.h"
#include "shell/Clipboard.h"
#include "shell/Common.h"
#include "shell/Environment.h"
#include "shell/Exception.h"
#include "shell/Filetypes.h"
#include "shell/History.h"
#include "shell/Paths.h"
#include "shell/Progress_f.h"
#include "shell/Ruler_f.h"
#include "tools/Tooldispatch.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
TMainImageForm* g_current = nullptr;

QToolButton* MakeButton(const QString& text, bool checkable) {
    auto* b = new QToolButton;
    b->setText(text);
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    return b;
}
} // namespace

TMainImageForm* CurrentDocument() {
    return g_current;
}

TMainImageForm::TMainImageForm(QWidget* parent) : QWidget(parent), Doc(new TDocument(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    iMainImage = new TPTextileImage;
    iMainImage->CoordinationTransfer = true;
    iMainImage->setCursor(Qt::CrossCursor);
    sbHorizontal = new QScrollBar(Qt::Horizontal);
    sbVertical = new QScrollBar(Qt::Vertical);
    sbZoomIn = MakeButton(QStringLiteral("+"), false);
    sbZoomOut = MakeButton(QStringLiteral("-"), false);
    sbGrid = MakeButton(QStringLiteral("#"), true);
    sbRuler = MakeButton(QStringLiteral("R"), true);
    sbProtect = MakeButton(QStringLiteral("P"), true);
    sbMaskArea = MakeButton(QStringLiteral("M"), true);
    sbMaskShow = MakeButton(QStringLiteral("S"), true);
    sbUnit = MakeButton(QString(), false);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(2, 2, 2, 2);
    for (QToolButton* b : {sbZoomIn, sbZoomOut, sbGrid, sbRuler, sbProtect, sbMaskArea, sbMaskShow, sbUnit})
        buttons->addWidget(b);
    buttons->addStretch();
    RulerTop = new TRuler(Qt::Horizontal, iMainImage);
    RulerLeft = new TRuler(Qt::Vertical, iMainImage);
    RulerTop->hide();
    RulerLeft->hide();
    auto* grid = new QGridLayout;
    grid->setSpacing(0);
    grid->addWidget(RulerTop, 0, 1);
    grid->addWidget(RulerLeft, 1, 0);
    grid->addWidget(iMainImage, 1, 1);
    grid->addWidget(sbVertical, 1, 2);
    grid->addWidget(sbHorizontal, 2, 1);
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(0, 0, 0, 0);
    all->setSpacing(0);
    all->addLayout(buttons);
    all->addLayout(grid, 1);

    connect(sbZoomIn, &QToolButton::clicked, this, &TMainImageForm::ZoomInClick);
    connect(sbZoomOut, &QToolButton::clicked, this, &TMainImageForm::ZoomOutClick);
    connect(sbGrid, &QToolButton::toggled, this, [this](bool on) { iMainImage->SetGrid(on); });
    connect(sbRuler, &QToolButton::toggled, this, [this](bool on) {
        RulerTop->setVisible(on);
        RulerLeft->setVisible(on);
    });
    connect(sbMaskShow, &QToolButton::toggled, this, [this](bool on) { iMainImage->SetMaskEnabled(on); });
    connect(sbMaskArea, &QToolButton::toggled, Doc, &TDocument::SetMaskOn);
    connect(sbUnit, &QToolButton::clicked, this, [this] { SetUnit(NextUnit(Doc->Unit())); });
    connect(sbProtect, &QToolButton::toggled, Doc, &TDocument::SetProtection);
    // The view follows the document's notices.
    iMainImage->ShowPicture(&Doc->Picture());
    connect(Doc, &TDocument::Changed, this, [this](const QRect& rect) { iMainImage->RectPaint(rect); });
    connect(Doc, &TDocument::Reshaped, this, &TMainImageForm::AfterNewPicture);
    connect(Doc, &TDocument::PaletteChanged, this, [this] { iMainImage->Paint(); });
    connect(Doc, &TDocument::StateChanged, this, &TMainImageForm::StateChanged);
    connect(Doc, &TDocument::SelectionChanged, this, [this] { iMainImage->Paint(); }); // the outline goes
    connect(Doc, &TDocument::MaskChanged, this, &TMainImageForm::ShowMaskState);
    ShowMaskState();
    connect(sbHorizontal, &QScrollBar::valueChanged, this, [this](int v) { iMainImage->SetPositionX(v); });
    connect(sbVertical, &QScrollBar::valueChanged, this, [this](int v) { iMainImage->SetPositionY(v); });
    connect(iMainImage, &TPImage::MouseDown, this, &TMainImageForm::ImageMouseDown);
    connect(iMainImage, &TPImage::MouseMove, this, &TMainImageForm::ImageMouseMove);
    connect(iMainImage, &TPImage::MouseUp, this, &TMainImageForm::ImageMouseUp);
    iMainImage->OnPositionChange = [this](TPImage*) { ViewMoved(); };
    iMainImage->installEventFilter(this);
    SaveDialog = [this](const QString& filter, const QString& folder) {
        return QFileDialog::getSaveFileName(this, QString(), folder, filter);
    };
    FormCreate();
}

TMainImageForm::~TMainImageForm() {
    if (g_current == this) g_current = nullptr;
    if (Dispatch) Dispatch->Forget(Doc);
    iMainImage->ShowPicture(nullptr); // the document goes before the view
    iMainImage->ShowMask(nullptr);
}

void TMainImageForm::FormCreate() {
    Texts.Load(LanguageDirectory(QStringLiteral("Carpet")), Configuration.Language,
               QStringLiteral("MainImage"));
    sbZoomIn->setToolTip(Texts.Get(0));
    sbZoomOut->setToolTip(Texts.Get(1));
    sbGrid->setToolTip(Texts.Get(2));
    sbRuler->setToolTip(Texts.Get(3));
    sbProtect->setToolTip(Texts.Get(4));
    if (const TStringTable* common = AppTables.Common) {
        sbMaskArea->setToolTip(common->Get(84));
        sbMaskShow->setToolTip(common->Get(85));
    }
    const TIniFile env(SettingsFile(QStringLiteral("Environment.ini")));
    Doc->SetSelectionDepth(ReadEnvironmentSettings(env).MaxUndo); // "Window"/"MaxUndo"
    SetUnit(UnitCm);
    iMainImage->SetGridMarkColor(MakeColorRef(255, 0, 0));
    g_current = this;
}

void TMainImageForm::UpdateCaption() {
    setWindowTitle(DocumentCaption(Doc->Directory(), Doc->FileName(), Doc->BitsPerPixel()));
    sbProtect->setEnabled(Doc->BitsPerPixel() == 8);
}

void TMainImageForm::StateChanged() {
    UpdateCaption();
    const QSignalBlocker block(sbProtect);
    sbProtect->setChecked(Doc->Protection());
    sbUnit->setText(UnitCaption(Texts.Get(5), Doc->Unit()));
    RulerTop->SetUnit(Doc->Unit(), Doc->Paper().dpi);
    RulerLeft->SetUnit(Doc->Unit(), Doc->Paper().dpi);
    emit StatusChanged();
}

void TMainImageForm::ShowMaskState() {
    // The view shows the document's own mask; the buttons work once there is one.
    const bool had = iMainImage->View().MaskShown() != nullptr;
    const TOrvaneBitmap* mask = Doc->Mask();
    iMainImage->ShowMask(mask);
    sbMaskArea->setEnabled(mask);
    sbMaskShow->setEnabled(mask);
    const QSignalBlocker block(sbMaskArea);
    sbMaskArea->setChecked(Doc->MaskOn());
    // A new mask shows at once, so that what the Mask pen draws is seen.
    if (bool(mask) != had) sbMaskShow->setChecked(mask);
}

void TMainImageForm::AfterNewPicture() {
    iMainImage->ShowPicture(&Doc->Picture());
    iMainImage->SetPosition(0, 0);
    ViewMoved();
    StateChanged();
}

void TMainImageForm::ViewMoved() {
    SyncScrollBars();
    RulerTop->update();
    RulerLeft->update();
}

void TMainImageForm::SyncScrollBars() {
    const TImageView& v = iMainImage->View();
    const QSignalBlocker bh(sbHorizontal), bv(sbVertical);
    sbHorizontal->setRange(0, v.MaxPositionX());
    sbVertical->setRange(0, v.MaxPositionY());
    sbHorizontal->setPageStep(std::max(1, v.ViewW()));
    sbVertical->setPageStep(std::max(1, v.ViewH()));
    sbHorizontal->setValue(iMainImage->PositionX());
    sbVertical->setValue(iMainImage->PositionY());
}

TCurrentColour TMainImageForm::Colour() const {
    return Dispatch ? Dispatch->Colour() : TCurrentColour();
}

uint32_t TMainImageForm::NewCanvas(const TPaper& paper, int bitsPerPixel) {
    return Doc->NewCanvas(paper, bitsPerPixel, Colour());
}

uint32_t TMainImageForm::OpenDocument(const QString& directory, const QString& fileName, int bitsPerPixel,
                                      int type, QString* detail, const TProgressFn& progress) {
    if (const uint32_t code = Doc->Open(directory, fileName, bitsPerPixel, type, detail, progress))
        return code;
    if (Dispatch) Dispatch->SetColour(TCurrentColour::OfIndex(TPalette::kFirstDrawing));
    return 0;
}

void TMainImageForm::EndOpenChange() {
    if (Doc->ChangeOpen() && Dispatch) Dispatch->CancelOperation();
}

uint32_t TMainImageForm::SaveDocument(const QString& directory, const QString& fileName, int compression,
                                      int type, const TProgressFn& progress) {
    EndOpenChange();
    return Doc->Save(directory, fileName, compression, type, false, progress);
}

uint32_t TMainImageForm::ResizeCanvas(int width, int height, int dpi) {
    return Doc->Resize(width, height, dpi);
}

uint32_t TMainImageForm::EnlargeCanvas(int width, int height) {
    return Doc->Enlarge(width, height, Colour());
}

bool TMainImageForm::Undo() {
    return Doc->Undo();
}

void TMainImageForm::SetUnit(int unit) {
    Doc->SetUnit(unit);
}

void TMainImageForm::ZoomInClick() {
    ApplyZoom(ZoomIn(TZoom{iMainImage->GetZoomIn(), iMainImage->GetZoomOut()}));
}

void TMainImageForm::ZoomOutClick() {
    ApplyZoom(ZoomOut(TZoom{iMainImage->GetZoomIn(), iMainImage->GetZoomOut()}));
}

void TMainImageForm::SetZoomStep(int step) {
    ApplyZoom(ZoomStep(step));
}

void TMainImageForm::ApplyZoom(const TZoom& zoom, std::optional<QPoint> anchor) {
    iMainImage->SetZoom(zoom.In, zoom.Out, anchor);
    ViewMoved();
    emit StatusChanged();
}

QString TMainImageForm::PanelText(int panel) const {
    switch (panel) {
    case 0:
        return SizePanelText(Doc->Paper(), Doc->Unit());
    case 1:
        return DpiPanelText(Doc->Paper());
    case 2:
        return ZoomText(TZoom{iMainImage->GetZoomIn(), iMainImage->GetZoomOut()});
    case 3:
        return PointerText(PointerX, PointerY, Doc->Picture().Height, Doc->Unit(), Doc->Paper().dpi);
    default:
        return QString();
    }
}

uint32_t TMainImageForm::CopyToClipboard() {
    const QRegion selection = Doc->Selection();
    if (selection.isEmpty()) return 0;
    const QRect rect = selection.boundingRect();
    const TOrvaneBitmap& picture = Doc->Picture();
    auto* mime = new QMimeData;
    mime->setImageData(ClipboardPicture(picture, Doc->Palette(), rect, selection));
    mime->setData(QString::fromLatin1(kClipboardMime),
                  EncodeClipboard(picture, Doc->Palette(), rect, selection,
                                  uint32_t(QDateTime::currentMSecsSinceEpoch())));
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        delete mime;
        return ErrorCode::Clipboard;
    }
    clipboard->setMimeData(mime);
    return 0;
}

uint32_t TMainImageForm::CutToClipboard() {
    if (!Doc->HasSelection()) return 0;
    if (const uint32_t code = CopyToClipboard()) return code;
    Doc->FillSelection(Colour());
    return 0;
}

uint32_t TMainImageForm::PasteFromClipboard() {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* mime = clipboard ? clipboard->mimeData() : nullptr;
    if (!mime) return ErrorCode::Clipboard;
    TClipPicture clip;
    const QString format = QString::fromLatin1(kClipboardMime);
    const bool ok = mime->hasFormat(format)
                        ? DecodeClipboard(mime->data(format), clip)
                        : mime->hasImage() && ClipFromImage(qvariant_cast<QImage>(mime->imageData()), clip);
    if (!ok) return 0x40000401;
    // The picture lands at the top-left of the visible part and becomes the selection.
    Doc->Paste(clip, iMainImage->PositionX(), iMainImage->PositionY());
    return 0;
}

QString TMainImageForm::DefaultExtension() const {
    return Doc->BitsPerPixel() == 8 ? QStringLiteral(".tex") : QStringLiteral(".tfc");
}

bool TMainImageForm::FormCloseQuery() {
    if (Dispatch) Dispatch->CancelOperation();
    if (!Doc->Modified()) return true;
    const QString question =
        (AppTables.Message ? AppTables.Message->Get(11) : QString()) + ' ' + Doc->FileName();
    const int answer = ShowMessage(TSeverity::Warning, question, MB_YESNOCANCEL);
    if (answer == ID_NO) return true;
    if (answer != ID_YES) return false;
    return SaveInPlace();
}

bool TMainImageForm::SaveInPlace() {
    EndOpenChange();
    QString directory = Doc->Directory(), name = Doc->FileName();
    if (Doc->NeverSaved()) {
        const int type = Doc->BitsPerPixel() == 8 ? TypeTex : TypeTfc;
        const QString filter = QString::fromLatin1(FileTypeInfo(type)->Description);
        QString chosen = SaveDialog ? SaveDialog(filter, LastFileFolder()) : QString();
        if (chosen.isEmpty()) return false;
        if (!QFileInfo(chosen).fileName().contains(QLatin1Char('.'))) chosen += DefaultExtension();
        directory = QFileInfo(chosen).absolutePath();
        name = QFileInfo(chosen).fileName();
        RememberFileFolder(directory);
    }
    const uint32_t code =
        RunWithProgress(this, QStringLiteral("Saving %1 ...").arg(name), [&](const TProgressFn& progress) {
            return SaveDocument(directory, name, 2, FileTypeOfName(name), progress);
        });
    if (code) {
        if (code != ErrorCode::Cancelled) ReportError(code, MB_OK, JoinPath(directory, name));
        return false;
    }
    Doc->SetModified(false);
    return true;
}

bool TMainImageForm::AutoSave() {
    // Nothing new to keep, or a change still open: its pixels are not the design's yet.
    if (!Doc->Modified() || Doc->ChangeOpen()) return true;
    TAutoSaveForm notice(window());
    notice.ShowNow();
    return SaveInPlace();
}

void TMainImageForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    // A design kept in a file goes to the recent-file list.
    if (!Doc->Directory().isEmpty() && QFileInfo::exists(JoinPath(Doc->Directory(), Doc->FileName())))
        emit Closed(Doc->Directory(), Doc->FileName(), Doc->BitsPerPixel());
}

void TMainImageForm::Activate() {
    if (g_current != this && Dispatch) Dispatch->CancelOperation(); // the operation was on another design
    g_current = this;
    Doc->AttachUndo();
    emit BecameCurrent(this);
}

void TMainImageForm::focusInEvent(QFocusEvent* event) {
    Activate();
    QWidget::focusInEvent(event);
}

bool TMainImageForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) Activate();
    return QWidget::event(event);
}
