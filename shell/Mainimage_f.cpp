#include "shell/Mainimage_f.h"

#include "platform/Inifile.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Autosave_f.h"
#include "shell/Clipboard.h"
#include "shell/Common.h"
#include "shell/Environment.h"
#include "shell/Exception.h"
#include "shell/Filetypes.h"
#include "shell/Paths.h"
#include "shell/Ruler_f.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
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

TMainImageForm::TMainImageForm(QWidget* parent) : QWidget(parent) {
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
    sbMaskArea->setEnabled(false); // masks are made by the drawing tools
    connect(sbUnit, &QToolButton::clicked, this, [this] { SetUnit(NextUnit(Unit)); });
    connect(sbHorizontal, &QScrollBar::valueChanged, this, [this](int v) { iMainImage->SetPositionX(v); });
    connect(sbVertical, &QScrollBar::valueChanged, this, [this](int v) { iMainImage->SetPositionY(v); });
    connect(iMainImage, &TPImage::MouseDown, this, &TMainImageForm::ImageMouseDown);
    connect(iMainImage, &TPImage::MouseMove, this, &TMainImageForm::ImageMouseMove);
    connect(iMainImage, &TPImage::MouseUp, this, &TMainImageForm::ImageMouseUp);
    iMainImage->OnPositionChange = [this](TPImage*) { ViewMoved(); };
    SaveDialog = [this](const QString& filter, const QString& folder) {
        return QFileDialog::getSaveFileName(this, QString(), folder, filter);
    };
    FormCreate();
}

TMainImageForm::~TMainImageForm() {
    if (g_current == this) g_current = nullptr;
    UndoStore().Forget(uint32_t(DocumentNumber)); // no record may outlive the design it points into
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
    DocumentNumber = NextDocumentNumber();
    const TIniFile env(SettingsFile(QStringLiteral("Environment.ini")));
    SelectionDepth = ReadEnvironmentSettings(env).MaxUndo;
    SetUnit(UnitCm);
    iMainImage->SetGridMarkColor(MakeColorRef(255, 0, 0));
    g_current = this;
}

TOrvaneBitmap& TMainImageForm::Image() {
    return *iMainImage->Bitmap();
}

void TMainImageForm::UpdateCaption() {
    setWindowTitle(DocumentCaption(Directory, FileName, Image().BitsPerPixel));
    sbProtect->setEnabled(Image().BitsPerPixel == 8);
}

void TMainImageForm::AfterNewPicture() {
    ImageWidth = Image().Width;
    ImageHeight = Image().Height;
    iMainImage->SetPosition(0, 0);
    SetUnit(Unit);
    ViewMoved();
    UpdateCaption();
    emit StatusChanged();
}

void TMainImageForm::ViewMoved() {
    SyncScrollBars();
    RulerTop->update();
    RulerLeft->update();
}

void TMainImageForm::SyncScrollBars() {
    const TImageView& v = iMainImage->View();
    const QSignalBlocker bh(sbHorizontal), bv(sbVertical);
    sbHorizontal->setRange(0, std::max(0, Image().Width - v.ViewW()));
    sbVertical->setRange(0, std::max(0, Image().Height - v.ViewH()));
    sbHorizontal->setPageStep(std::max(1, v.ViewW()));
    sbVertical->setPageStep(std::max(1, v.ViewH()));
    sbHorizontal->setValue(iMainImage->PositionX());
    sbVertical->setValue(iMainImage->PositionY());
}

uint32_t TMainImageForm::NewCanvas(const TPaper& paper, int bitsPerPixel) {
    TDesign fresh;
    fresh.Palette = Palette;
    CurrentColour().Index = std::clamp(CurrentColour().Index, 0, 255);
    if (const uint32_t code = NewCanvasDesign(fresh, paper, bitsPerPixel, 0)) return code;
    const uint32_t fill =
        bitsPerPixel == 8 ? uint32_t(CurrentColour().Index) : CurrentPixel(24, fresh.Palette);
    fresh.Image.FillRect(fill, QRect(0, 0, fresh.Image.Width, fresh.Image.Height));
    Image().TakeFrom(fresh.Image);
    Palette = fresh.Palette;
    Paper = fresh.Paper;
    Directory.clear();
    FileName = NonameFileName(DocumentNumber, bitsPerPixel);
    Modified = false;
    ForgetUndo();
    AfterNewPicture();
    return 0;
}

uint32_t TMainImageForm::OpenDocument(const QString& directory, const QString& fileName, int bitsPerPixel,
                                      int type) {
    if (!type) type = FileTypeOfName(fileName);
    if (const uint32_t code =
            OpenDesign(JoinPath(directory, fileName), type, bitsPerPixel, Design(), Paper.dpi))
        return code;
    Directory = directory;
    FileName = OpenedFileName(fileName, type, Image().BitsPerPixel);
    Modified = false;
    ForgetUndo();
    AfterNewPicture();
    CurrentColour().Index = TPalette::kFirstDrawing;
    return 0;
}

uint32_t TMainImageForm::SaveDocument(const QString& directory, const QString& fileName, int compression,
                                      int type) {
    if (!type) type = FileTypeOfName(fileName);
    QRegion selection;
    const bool selected = Image().HasRegion() && Image().GetRegion(selection, false) && !selection.isEmpty();
    const QRect rect = selection.boundingRect();
    const uint32_t code =
        SaveDesign(JoinPath(directory, fileName), type, compression, Design(), selected ? &rect : nullptr);
    if (code) return code;
    Directory = directory;
    FileName = type >= TypeBmp ? OpenedFileName(fileName, type, Image().BitsPerPixel) : fileName;
    UpdateCaption();
    return 0;
}

uint32_t TMainImageForm::ResizeCanvas(int width, int height, int dpi) {
    // The whole picture is recorded, so an undo gives the old size back too.
    const bool recorded = SetModified();
    if (const uint32_t code = ResizeDesign(Design(), width, height, dpi)) {
        if (recorded) UndoStore().DropLatest();
        return code;
    }
    AfterNewPicture();
    return 0;
}

uint32_t TMainImageForm::EnlargeCanvas(int width, int height) {
    const uint32_t fill = CurrentPixel(Image().BitsPerPixel, Palette);
    const bool recorded = SetModified();
    if (const uint32_t code = EnlargeDesign(Design(), width, height, fill)) {
        if (recorded) UndoStore().DropLatest();
        return code;
    }
    AfterNewPicture();
    return 0;
}

bool TMainImageForm::SetModified(int flags, bool compact) {
    return SetModified(flags, compact, QRect(0, 0, Image().Width, Image().Height));
}

bool TMainImageForm::SetModified(int flags, bool compact, const QRect& rect) {
    Modified = true;
    AttachUndo(); // the store records this design whichever window was activated last
    return UndoStore().Add(flags, compact, rect);
}

void TMainImageForm::ForgetUndo() {
    // A new picture in this window: the records of the old one cannot come back.
    UndoStore().Forget(uint32_t(DocumentNumber));
}

void TMainImageForm::AttachUndo() {
    if (UndoStore().AttachedTo(uint32_t(DocumentNumber))) return;
    TUndoTarget target;
    target.Picture = &Image();
    target.Mask = [view = iMainImage] { return view->View().Mask(); };
    target.Palette = Image().BitsPerPixel == 8 ? &Palette : nullptr;
    UndoStore().SetOwner(uint32_t(DocumentNumber), target);
}

bool TMainImageForm::Undo() {
    AttachUndo();
    const QSize before(Image().Width, Image().Height);
    if (!UndoStore().Undo(true)) return false;
    if (before != QSize(Image().Width, Image().Height)) {
        AfterNewPicture();
    } else {
        iMainImage->Paint();
    }
    Modified = true;
    emit Undone();
    return true;
}

void TMainImageForm::SetUnit(int unit) {
    Unit = unit;
    sbUnit->setText(UnitCaption(Texts.Get(5), unit));
    RulerTop->SetUnit(unit, Paper.dpi);
    RulerLeft->SetUnit(unit, Paper.dpi);
    emit StatusChanged();
}

void TMainImageForm::ZoomInClick() {
    const TZoom z = ZoomIn(TZoom{iMainImage->GetZoomIn(), iMainImage->GetZoomOut()});
    iMainImage->SetZoom(z.In, z.Out);
    ViewMoved();
    emit StatusChanged();
}

void TMainImageForm::ZoomOutClick() {
    const TZoom z = ZoomOut(TZoom{iMainImage->GetZoomIn(), iMainImage->GetZoomOut()});
    iMainImage->SetZoom(z.In, z.Out);
    ViewMoved();
    emit StatusChanged();
}

void TMainImageForm::SetZoomStep(int step) {
    const TZoom z = ZoomStep(step);
    iMainImage->SetZoom(z.In, z.Out);
    ViewMoved();
    emit StatusChanged();
}

QString TMainImageForm::PanelText(int panel) const {
    switch (panel) {
    case 0:
        return SizePanelText(Paper, Unit);
    case 1:
        return DpiPanelText(Paper);
    case 2:
        return ZoomText(TZoom{iMainImage->GetZoomIn(), iMainImage->GetZoomOut()});
    case 3:
        return PointerText(PointerX, PointerY, ImageHeight, Unit, Paper.dpi);
    default:
        return QString();
    }
}

void TMainImageForm::ProcessPendingMove() {
    if (!PendingMove) return;
    PendingMove = false;
    PointerX = PendingX;
    PointerY = PendingY;
    if (!ToolInput && ModalMove) ModalMove(this, PointerX, PointerY);
    emit StatusChanged();
}

bool TMainImageForm::KeyPress(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Plus || key == Qt::Key_Equal) {
        ZoomInClick();
        return true;
    }
    if (key == Qt::Key_Minus) {
        ZoomOutClick();
        return true;
    }
    const TImageView& view = iMainImage->View();
    const int parts = (modifiers & Qt::ControlModifier) ? 1 : 8;
    const int stepX = std::max(1, view.ViewW() / parts), stepY = std::max(1, view.ViewH() / parts);
    int dx = 0, dy = 0;
    switch (key) {
    case Qt::Key_Left:
        dx = -stepX;
        break;
    case Qt::Key_Right:
        dx = stepX;
        break;
    case Qt::Key_Up:
        dy = -stepY;
        break;
    case Qt::Key_Down:
        dy = stepY;
        break;
    default:
        return false;
    }
    iMainImage->SetPosition(iMainImage->PositionX() + dx, iMainImage->PositionY() + dy);
    SyncScrollBars();
    emit StatusChanged();
    return true;
}

void TMainImageForm::ShowRubberBand(const QRect& rect) {
    const QRect picture(0, 0, Image().Width, Image().Height);
    if (!RubberBand.isEmpty()) iMainImage->RectPaint(RubberBand);
    RubberBand = rect.intersected(picture);
    if (RubberBand.isEmpty()) return;
    iMainImage->RectEditPaint(RubberBand, [](QPainter& p, int, int) {
        const QRect edge(0, 0, p.device()->width() - 1, p.device()->height() - 1);
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(edge);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(edge);
    });
}

TWriteGuard TMainImageForm::WriteGuard() const {
    const bool protect = sbProtect->isChecked() && iMainImage->Bitmap()->BitsPerPixel == 8;
    return TWriteGuard(protect ? &Palette : nullptr, nullptr);
}

void TMainImageForm::PickColour(int x, int y) {
    const uint32_t v = Image().GetPixel(x, y);
    if (Image().BitsPerPixel == 8) {
        if (v < 252) CurrentColour().Index = int(v);
    } else {
        CurrentColour().Rgb = v;
    }
}

void TMainImageForm::ImageMouseDown(Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers modifiers,
                                    int x, int y) {
    if (!Image().Allocated() || x < 0 || y < 0 || x >= Image().Width || y >= Image().Height) return;
    ProcessPendingMove();
    if (!ToolInput) {
        if (button == Qt::LeftButton && ModalDown) ModalDown(this, x, y);
        return;
    }
    if (button == Qt::LeftButton && (modifiers & Qt::ControlModifier)) {
        Panning = true;
        PanStart = QPoint(x, y);
        iMainImage->setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (button == Qt::MiddleButton || (button == Qt::LeftButton && (modifiers & Qt::ShiftModifier)))
        PickColour(x, y);
}

void TMainImageForm::ImageMouseMove(Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
    // Only the last position counts; the main window's 50 ms timer processes it.
    PendingMove = true;
    PendingX = x;
    PendingY = y;
}

void TMainImageForm::ImageMouseUp(Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
    if (!Panning) return;
    Panning = false;
    iMainImage->setCursor(Qt::CrossCursor);
    iMainImage->SetPosition(iMainImage->PositionX() + PanStart.x() - x,
                            iMainImage->PositionY() + PanStart.y() - y);
    SyncScrollBars();
}

uint32_t TMainImageForm::CopyToClipboard() {
    QRegion selection;
    if (!Image().GetRegion(selection, false) || selection.isEmpty()) return 0;
    const QRect rect = selection.boundingRect();
    auto* mime = new QMimeData;
    mime->setImageData(ClipboardPicture(Image(), Palette, rect, selection));
    mime->setData(
        QString::fromLatin1(kClipboardMime),
        EncodeClipboard(Image(), Palette, rect, selection, uint32_t(QDateTime::currentMSecsSinceEpoch())));
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        delete mime;
        return ErrorCode::Clipboard;
    }
    clipboard->setMimeData(mime);
    return 0;
}

uint32_t TMainImageForm::CutToClipboard() {
    QRegion selection;
    if (!Image().GetRegion(selection, false) || selection.isEmpty()) return 0;
    if (const uint32_t code = CopyToClipboard()) return code;
    SetModified(UndoPicture | UndoRegion, true, selection.boundingRect());
    const uint32_t fill = CurrentPixel(Image().BitsPerPixel, Palette);
    const TWriteGuard guard = WriteGuard();
    for (const QRect& r : selection)
        guard.Fill(Image(), r, fill);
    iMainImage->RectPaint(selection.boundingRect());
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
    // The picture lands at the top-left of the visible part and becomes the selection;
    // only that part is recorded for undo.
    SetModified(UndoPicture | UndoRegion, true,
                QRect(iMainImage->PositionX(), iMainImage->PositionY(), clip.Image.Width, clip.Image.Height));
    const QRect written = PasteIntoDesign(Image(), Palette, clip, iMainImage->PositionX(),
                                          iMainImage->PositionY(), WriteGuard());
    if (!written.isEmpty()) Image().SetRegionRect(L_RGN_SET, written);
    iMainImage->Paint();
    return 0;
}

QString TMainImageForm::DefaultExtension() const {
    return iMainImage->Bitmap()->BitsPerPixel == 8 ? QStringLiteral(".tex") : QStringLiteral(".tfc");
}

bool TMainImageForm::FormCloseQuery() {
    if (!Modified) return true;
    const QString question = (AppTables.Message ? AppTables.Message->Get(11) : QString()) + ' ' + FileName;
    const int answer = ShowMessage(TSeverity::Warning, question, MB_YESNOCANCEL);
    if (answer == ID_NO) return true;
    if (answer != ID_YES) return false;
    return SaveInPlace();
}

bool TMainImageForm::SaveInPlace() {
    QString directory = Directory, name = FileName;
    if (FileName == NonameFileName(DocumentNumber, Image().BitsPerPixel)) {
        const int type = Image().BitsPerPixel == 8 ? TypeTex : TypeTfc;
        const QString filter = QString::fromLatin1(FileTypeInfo(type)->Description);
        const TIniFile main(SettingsFile(QStringLiteral("Main.ini")));
        const QString folder =
            main.ReadString(QStringLiteral("FileManager"), QStringLiteral("DirectoryName"), QDir::homePath());
        QString chosen = SaveDialog ? SaveDialog(filter, folder) : QString();
        if (chosen.isEmpty()) return false;
        if (!QFileInfo(chosen).fileName().contains(QLatin1Char('.'))) chosen += DefaultExtension();
        directory = QFileInfo(chosen).absolutePath();
        name = QFileInfo(chosen).fileName();
    }
    if (const uint32_t code = SaveDocument(directory, name, 2, FileTypeOfName(name))) {
        ReportError(code, MB_OK, JoinPath(directory, name));
        return false;
    }
    Modified = false;
    return true;
}

bool TMainImageForm::AutoSave() {
    if (!Modified) return true; // nothing new to keep
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
    if (!Directory.isEmpty() && QFileInfo::exists(JoinPath(Directory, FileName)))
        emit Closed(Directory, FileName, Image().BitsPerPixel);
}

void TMainImageForm::Activate() {
    g_current = this;
    AttachUndo();
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
