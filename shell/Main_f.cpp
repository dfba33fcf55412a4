#include "shell/Main_f.h"
#include "colour/Colorlibraries.h"

#include "colour/Palette_f.h"
#include "platform/Effects.h"
#include "platform/Inifile.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Canvassize_f.h"
#include "shell/Common.h"
#include "shell/Effect_f.h"
#include "shell/Exception.h"
#include "shell/Filedialog_f.h"
#include "shell/Filetypes.h"
#include "shell/Fullview_f.h"
#include "shell/History.h"
#include "shell/History_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu_f.h"
#include "shell/Newcanvas_f.h"
#include "shell/Progress_f.h"
#include "shell/Stringtable.h"
#include "shell/Tdocument.h"
#include "tools/Penmanager_f.h"
#include "tools/Penobject.h"
#include "tools/Undolist_f.h"
#include "tools/Window_f.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QProgressBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    FormCreate();
}

TMainForm::~TMainForm() {
    if (ScanProbe_) ScanProbe_->wait();         // its answer is dropped with the window
    MainMenu_->Dispatch().SetIdleTool(nullptr); // a stroke in progress ends on its design
    MainMenu_->Dispatch().Context().Pen = nullptr;
    // Document windows go first: they may still ask the tables for texts. The
    // questions about unsaved designs were asked when the window closed.
    qDeleteAll(MdiArea_->subWindowList());
    // A closed window waiting for its deferred delete is no longer listed: its
    // design goes now too, while this window can still hear of it.
    qDeleteAll(MdiArea_->findChildren<TMainImageForm*>());
    MainMenu_->Dispatch().SetModal(nullptr); // the palette window's mode goes with it
    Palette_->SetLibraries(nullptr);         // the libraries go before the windows
    FreeAppTables();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Every document asks about unsaved changes; one Cancel keeps the program running.
    MdiArea_->closeAllSubWindows();
    if (!MdiArea_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    MainMenu_->CloseTool();
    event->accept();
}

void TMainForm::FormCreate() {
    LoadConfiguration();
    LoadAppTables();
    MdiArea_ = new QMdiArea(this);
    setCentralWidget(MdiArea_);
    qApp->installEventFilter(this); // key preview
    OpenDialog = [this](const QString& folder) { return OpenFileDialog(this, folder); };
    SaveAsDialog = [this](const QString& folder, int type) { return SaveFileDialog(this, folder, type); };
    AutosaveTimer_ = new QTimer(this);
    connect(AutosaveTimer_, &QTimer::timeout, this, &TMainForm::AutosaveTimerTimer);
    ReadEnvironment();
    CreateMenus();
    CreateHistory();
    static const int widths[6] = {160, 80, 100, 100, 150, 150};
    for (int i = 0; i < 6; ++i) {
        Panels[i] = new QLabel;
        Panels[i]->setMinimumWidth(widths[i]);
        if (i == 1 || i == 2 || i == 3 || i == 5) Panels[i]->setAlignment(Qt::AlignCenter);
        statusBar()->addWidget(Panels[i], i == 4 ? 1 : 0);
        if (i == 4) {
            Progress = new QProgressBar;
            Progress->setRange(0, 100);
            Progress->setMaximumWidth(150);
            Progress->hide();
            statusBar()->addWidget(Progress);
        }
    }
    Timer50ms = new QTimer(this);
    Timer200ms = new QTimer(this);
    Timer1000ms = new QTimer(this);
    Timer50ms->setInterval(50);
    Timer200ms->setInterval(200);
    Timer1000ms->setInterval(1000);
    connect(Timer50ms, &QTimer::timeout, this, &TMainForm::Timer50msTimer);
    connect(Timer200ms, &QTimer::timeout, this, &TMainForm::Timer200msTimer);
    connect(Timer1000ms, &QTimer::timeout, this, &TMainForm::Timer1000msTimer);
    for (QTimer* t : {Timer50ms, Timer200ms, Timer1000ms})
        t->start();
    MainMenu_ = new TMainMenuForm(this);
    Pen_ = new TPenManagerForm(this);
    FullView_ = new TFullViewForm(this);
    // The colour libraries, read from the colour directory; a missing file leaves its library empty.
    Libraries_ = std::make_unique<TColorLibraries>();
    Libraries_->Load(Configuration.Color,
                     [](uint32_t code, const QString& path) { ReportError(code, MB_OK, path); });
    Palette_ = new TPaletteForm(this);
    Palette_->SetLibraries(Libraries_.get());
    ConnectToolWindows();
    MainMenu_->OnFile = [this] { FManagerClick(); };
    StartScannerProbe();
    MainMenu_->OnZoom = [this](int step) {
        if (TMainImageForm* doc = CurrentDocument()) doc->SetZoomStep(step);
    };
    connect(MdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        auto* form = sub ? qobject_cast<TMainImageForm*>(sub->widget()) : nullptr;
        if (form) {
            form->Activate(); // the windows, status and menus follow through BecameCurrent
            form->setFocus();
            return;
        }
        UpdateStatus();
        UpdateMenuItems();
    });
    setWindowTitle(QString::fromLatin1(kApplicationTitle));
    SetMenuCaptions();
    UpdateMenuItems();
}

TMainImageForm* TMainForm::AddDocument(TMainImageForm* form) {
    QMdiSubWindow* sub = MdiArea_->addSubWindow(form);
    connect(form, &TMainImageForm::StatusChanged, this, &TMainForm::UpdateStatus);
    connect(form, &TMainImageForm::BecameCurrent, this, &TMainForm::DocumentActivated);
    // The full view follows every scroll and zoom of the document it shows.
    connect(form, &TMainImageForm::StatusChanged, FullView_, &TFullViewForm::Refresh);
    connect(form, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    sub->setWindowTitle(form->windowTitle());
    connect(form, &TMainImageForm::Closed, this,
            [this](const QString& directory, const QString& name, int bits) {
                if (History_) History_->Add(directory, name, bits, 1);
            });
    // Every change of the design reaches the full view; selection and depth reach the menus.
    const TDocument* design = &form->Document();
    auto refresh = [this, form] {
        if (form == CurrentDocument()) FullView_->Refresh();
    };
    connect(design, &TDocument::Changed, this, refresh);
    connect(design, &TDocument::Reshaped, this, refresh);
    connect(design, &TDocument::PaletteChanged, this, refresh);
    connect(design, &TDocument::PaletteChanged, this, [this, form] { ShowPenPalette(form); });
    connect(design, &TDocument::StateChanged, this, &TMainForm::UpdateMenuItems);
    // The design fills the client area up to the size of the picture.
    const QSize room = MdiArea_->viewport()->size() - QSize(8, 8);
    const QRect bounds = design->Bounds();
    const QSize want = form->sizeHint().expandedTo(QSize(bounds.width() + 40, bounds.height() + 70));
    sub->resize(want.boundedTo(room).expandedTo(QSize(240, 180)));
    sub->move(0, 0);
    sub->show();
    form->iMainImage->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(form->iMainImage, &QWidget::customContextMenuRequested, this, [this, form](const QPoint& at) {
        MainMenu_->PopupMenu1->popup(form->iMainImage->mapToGlobal(at));
    });
    connect(form, &QObject::destroyed, this, [this, design, palette = &design->Palette()] {
        if (Palette_->Document() == design) Palette_->AttachDocument(nullptr);
        if (Pen_->ShownPalette() == palette) Pen_->SetPalette(nullptr, 8); // the design is gone
        if (ToolPalette(MainMenu_->ToolWindow()) == palette)
            ShowToolPalette(MainMenu_->ToolWindow(), nullptr);
        QTimer::singleShot(0, this, &TMainForm::UpdateMenuItems);
    });
    MdiArea_->setActiveSubWindow(sub);
    UpdateStatus();
    UpdateMenuItems();
    return form;
}

TMainImageForm* TMainForm::NewDocument(const TPaper& paper, int bitsPerPixel) {
    auto* form = new TMainImageForm;
    form->Dispatch = &MainMenu_->Dispatch(); // the new canvas takes the current colour
    if (const uint32_t code = form->NewCanvas(paper, bitsPerPixel)) {
        delete form;
        ReportError(code);
        return nullptr;
    }
    return AddDocument(form);
}

TMainImageForm* TMainForm::OpenFile(const QString& path, int type, int bitsPerPixel) {
    auto* form = new TMainImageForm;
    form->Dispatch = &MainMenu_->Dispatch();
    const QFileInfo info(path);
    QString detail;
    const uint32_t code = RunWithProgress(
        this, QStringLiteral("Opening %1 ...").arg(info.fileName()), [&](const TProgressFn& progress) {
            return form->OpenDocument(info.absolutePath(), info.fileName(), bitsPerPixel, type, &detail,
                                      progress);
        });
    if (code) {
        delete form;
        if (code != ErrorCode::Cancelled)
            ReportError(code, MB_OK, detail.isEmpty() ? path : path + QStringLiteral(": ") + detail);
        return nullptr;
    }
    return AddDocument(form);
}

void TMainForm::FirstActivation(const QString& fileName) {
    // The design named on the command line opens by its own type and depth; without
    // one, or when it cannot be opened, a blank A4 160-dpi canvas appears.
    if (fileName.isEmpty() || !OpenFile(fileName, 0, 0)) {
        TPaper a4;
        a4.dpi = 160;
        SetPaper(a4, 0);
        NewDocument(a4, 8);
    }
    Pen_->show(); // they show the current design since its activation
    FullView_->show();
    Palette_->show();
    MainMenu_->show();
    ArrangeTools();
    UpdateMenuItems();
}

void TMainForm::FNewCanvasClick(int bitsPerPixel) {
    MainMenu_->Dispatch().CancelOperation();
    TPalette palette; // the palette a new design starts from shows the fill colour
    LoadDefaultPalette(palette);
    TNewCanvasForm dialog(bitsPerPixel, MainMenu_->Dispatch().Colour().Pixel(24, palette), this);
    if (dialog.exec() != QDialog::Accepted) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    NewDocument(dialog.Paper(), bitsPerPixel);
    QApplication::restoreOverrideCursor();
}

void TMainForm::FManagerClick() {
    const TFileChoice choice = OpenDialog(LastFileFolder());
    if (choice.Path.isEmpty()) return;
    RememberFileFolder(QFileInfo(choice.Path).absolutePath());
    OpenFile(choice.Path, choice.Type, choice.Bits); // a design keeps its depth unless told
}

void TMainForm::FSaveClick() {
    TMainImageForm* doc = CurrentDocument();
    if (!doc) return;
    TDocument& design = doc->Document();
    const QString folder = design.Directory().isEmpty() ? LastFileFolder() : design.Directory();
    const TFileChoice choice = SaveAsDialog(folder, design.BitsPerPixel() == 8 ? TypeTex : TypeTfc);
    if (choice.Path.isEmpty()) return;
    doc->EndOpenChange();
    // The whole design is written unless the user asks for the selection alone.
    bool part = false;
    if (design.HasSelection()) {
        const int answer = ShowMessage(
            TSeverity::Warning, AppTables.Message ? AppTables.Message->Get(91) : QString(), MB_YESNOCANCEL);
        if (answer != ID_YES && answer != ID_NO) return;
        part = answer == ID_YES;
    }
    const QFileInfo info(choice.Path);
    RememberFileFolder(info.absolutePath());
    const uint32_t code = RunWithProgress(
        this, QStringLiteral("Saving %1 ...").arg(info.fileName()), [&](const TProgressFn& progress) {
            return design.Save(info.absolutePath(), info.fileName(), 2, choice.Type, part, progress);
        });
    if (code) {
        if (code != ErrorCode::Cancelled) ReportError(code, MB_OK, choice.Path);
        return;
    }
    if (!part) design.SetModified(false);
}

void TMainForm::FFontClick() {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, UserFont_, this);
    if (!ok) return;
    SetUserFont(chosen.family());
}

void TMainForm::SetUserFont(const QString& family) {
    UserFont_.setFamily(family);
    TIniFile env(SettingsFile(QStringLiteral("Environment.ini")));
    env.WriteString(QStringLiteral("Font"), QStringLiteral("Name"), family);
    env.UpdateFile();
    // The open tool windows take the new face.
    for (QWidget* tool : {static_cast<QWidget*>(Pen_), static_cast<QWidget*>(FullView_),
                          static_cast<QWidget*>(Palette_), static_cast<QWidget*>(MainMenu_)})
        tool->setFont(UserFont_);
}

void TMainForm::FResizeCanvasClick() {
    TMainImageForm* doc = CurrentDocument();
    if (!doc) return;
    TResizeCanvasForm dialog(doc->Document().Paper(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (const uint32_t code = doc->ResizeCanvas(dialog.NewWidth(), dialog.NewHeight(), dialog.NewDpi()))
        ReportError(code);
}

void TMainForm::FEnlargeCanvasClick() {
    TMainImageForm* doc = CurrentDocument();
    if (!doc) return;
    TEnlargeCanvasForm dialog(doc->Document().Paper(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (const uint32_t code = doc->EnlargeCanvas(dialog.NewWidth(), dialog.NewHeight())) ReportError(code);
}

void TMainForm::BuildImageMenu() {
    const TStringTable& t = *AppTables.Main;
    ImageItem_->clear();
    auto item = [&](QMenu* menu, int caption, int effect) {
        const QString text = t.Get(caption);
        QAction* a = menu->addAction(text, this, [this, effect, text] { ImageEffectClick(effect, text); });
        a->setEnabled(effect >= 0);
    };
    item(ImageItem_, 26, EffectIntensityDetect);
    item(ImageItem_, 27, EffectSolarize);
    QMenu* effects = ImageItem_->addMenu(t.Get(28));
    const int effectOf[10] = {EffectPosterize,   EffectMosaic,
                              EffectAverage,     EffectMedian,
                              EffectSharpen,     EffectAddNoise,
                              EffectEmboss,      -1,
                              EffectEdgeEnhance, -1}; // Underlay, Oilify: none
    for (int i = 0; i < 10; ++i)
        item(effects, 29 + i, effectOf[i]);
    QMenu* filters = ImageItem_->addMenu(t.Get(39));
    const int filterOf[6] = {EffectGradient, EffectLaplacian,       EffectSobel,
                             EffectPrewitt,  EffectShiftDifference, EffectLineSegment};
    for (int i = 0; i < 6; ++i)
        item(filters, 40 + i, filterOf[i]);
}

void TMainForm::ImageEffectClick(int effect, const QString& caption) {
    TEffectParams params;
    if (TEffectForm::HasParameters(TEffect(effect))) {
        TEffectForm dialog(TEffect(effect), caption, this);
        if (dialog.exec() != QDialog::Accepted) return;
        params = dialog.Params();
    }
    TMainImageForm* doc = CurrentDocument();
    if (!doc || doc->Document().BitsPerPixel() != 24) return;
    const uint32_t code = RunWithProgress(this, caption, [&](const TProgressFn& progress) {
        return doc->Document().ApplyEffect(effect, params.Low, params.High, progress);
    });
    if (code && code != ErrorCode::Cancelled) ReportError(code);
}

bool TMainForm::ApplyImageEffect(int effect, int low, int high) {
    TMainImageForm* doc = CurrentDocument();
    return doc && doc->Document().BitsPerPixel() == 24 && doc->Document().ApplyEffect(effect, low, high) == 0;
}

void TMainForm::ArrangeTools() {
    // Stacked down the right edge of the client area, each 1 pixel below the one
    // above; a window that would run past the bottom starts a new column to the left.
    const QRect client = MdiArea_->geometry();
    const QPoint topRight = mapToGlobal(QPoint(client.right(), client.top()));
    const int top = topRight.y() + 2, bottom = mapToGlobal(QPoint(0, client.bottom())).y();
    int right = topRight.x() + 1 - 2, y = top, columnWidth = 0; // exclusive: x = width - w - 2
    for (QWidget* tool : {static_cast<QWidget*>(Pen_), static_cast<QWidget*>(FullView_),
                          static_cast<QWidget*>(Palette_), static_cast<QWidget*>(MainMenu_)}) {
        tool->adjustSize();
        const QSize size = tool->frameGeometry().size();
        if (y > top && y + size.height() > bottom) {
            right -= columnWidth + 2;
            y = top;
            columnWidth = 0;
        }
        tool->move(right - size.width(), y);
        y += size.height() + 1;
        columnWidth = std::max(columnWidth, size.width());
    }
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        Panels[4]->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::ShowProgress(int percent) {
    Progress->setVisible(percent >= 0);
    if (percent >= 0) Progress->setValue(std::min(percent, 100));
}

void TMainForm::DocumentActivated(TMainImageForm* form) {
    // However the window became current (frame, focus, a closing neighbour), the
    // tool windows and the dispatch follow it.
    MainMenu_->Dispatch().SetCurrent(&form->Document(), form);
    FullView_->ShowImage(form);
    Palette_->AttachDocument(&form->Document());
    ShowPenPalette(form);
    UpdateStatus();
    UpdateMenuItems();
}

void TMainForm::UpdateStatus() {
    TMainImageForm* doc = CurrentDocument();
    for (int i = 0; i < 4; ++i)
        Panels[i]->setText(doc ? doc->PanelText(i) : QString());
}

void TMainForm::Timer50msTimer() {
    if (LongRunBusy()) return; // the pointer reaches the design again once the job ends
    if (TMainImageForm* doc = CurrentDocument()) doc->ProcessPendingMove();
}

void TMainForm::Timer200msTimer() {
    if (TMainImageForm* doc = CurrentDocument()) Panels[3]->setText(doc->PanelText(3));
    // The active tool's display follows the design.
    if (auto* undo = qobject_cast<TUndoForm*>(MainMenu_->ToolWindow())) undo->Refresh();
}

void TMainForm::Timer1000msTimer() {
    // The selection's outline marches once a second.
    if (TMainImageForm* doc = CurrentDocument()) doc->iMainImage->OutlineBitmapRgn();
    Panels[5]->setText(ClockPanelText(QDateTime::currentDateTime()));
}
