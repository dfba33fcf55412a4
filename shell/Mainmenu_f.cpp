#include "shell/Mainmenu_f.h"

#include "shell/Common.h"
#include "shell/Mainimage.h"
#include "shell/Placement_f.h"
#include "shell/Toolicons.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QVBoxLayout>

TMainMenuForm::TMainMenuForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    Texts.Load(LanguageDirectory(QStringLiteral("Carpet")), Configuration.Language,
               QStringLiteral("MainMenu"));
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    int at = 0;
    for (int tool = 1; tool <= kToolCount; ++tool) {
        if (tool == kToolCanvas) continue;
        auto* shape = new QFrame;
        shape->setFrameShape(QFrame::Box);
        shape->setLineWidth(2);
        auto* button = new QToolButton(shape);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setToolTip(Texts.Get(tool));
        button->setStatusTip(Texts.Get(tool));
        button->setAccessibleName(Texts.Get(tool));
        QIcon icon;
        for (int px : {24, 48}) { // 48 for high-density screens
            icon.addPixmap(QPixmap::fromImage(ToolIcon(tool, px)), QIcon::Normal);
            icon.addPixmap(QPixmap::fromImage(ToolIcon(tool, px, false)), QIcon::Disabled);
        }
        button->setIcon(icon);
        button->setIconSize(QSize(24, 24));
        button->setFixedSize(44, 30);
        auto* inner = new QVBoxLayout(shape);
        inner->setContentsMargins(2, 2, 2, 2);
        inner->addWidget(button);
        connect(button, &QToolButton::clicked, this, [this, tool] { SelectTool(tool); });
        Buttons[tool] = button;
        Shapes[tool] = shape;
        SetShapeColour(tool, Qt::black);
        grid->addWidget(shape, at / 3, at % 3);
        ++at;
    }
    sbFile = new QToolButton;
    sbPrint = new QToolButton;
    sbScan = new QToolButton;
    sbExit = new QToolButton;
    auto* commands = new QGridLayout;
    int i = 0;
    for (QToolButton* b : {sbFile, sbPrint, sbScan, sbExit}) {
        b->setText(Texts.Get(26 + i));
        b->setToolTip(Texts.Get(26 + i));
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        commands->addWidget(b, i / 2, i % 2);
        ++i;
    }
    connect(sbFile, &QToolButton::clicked, this, [this] {
        if (OnFile) OnFile();
    });
    connect(sbPrint, &QToolButton::clicked, this, [this] {
        if (OnPrint) OnPrint();
    });
    connect(sbScan, &QToolButton::clicked, this, [this] {
        if (OnScan) OnScan();
    });
    connect(sbExit, &QToolButton::clicked, this, &TMainMenuForm::CloseTool);
    auto* all = new QVBoxLayout(this);
    all->setContentsMargins(4, 4, 4, 4);
    all->addLayout(grid);
    all->addLayout(commands);
    setWindowTitle(Texts.Get(0));
    FormCreate();
}

void TMainMenuForm::FormCreate() {
    PopupMenu1 = new QMenu(this);
    for (int step = 0; step < kZoomSteps; ++step)
        PopupMenu1->addAction(Texts.Get(30 + step), this, [this, step] {
            if (OnZoom) OnZoom(step);
        });
    PopupMenu1->addSeparator();
    for (int tool = 1; tool <= kToolCount; ++tool) {
        if (tool == kToolCanvas) continue;
        Entries[tool] = PopupMenu1->addAction(Texts.Get(tool), this, [this, tool] { SelectTool(tool); });
    }
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(Texts.Get(26), this, [this] {
        if (OnFile) OnFile();
    });
    PopupMenu1->addAction(Texts.Get(39), this, [this] {
        if (OnPrint) OnPrint();
    });
    ScanEntry = PopupMenu1->addAction(Texts.Get(40), this, [this] {
        if (OnScan) OnScan();
    });
    PopupMenu1->addAction(Texts.Get(ToolUndo), this, [this] { SelectTool(ToolUndo); });
    SetScannerFound(false); // until the main window's probe finds one
    UpdateButtons(0, false);
}

void TMainMenuForm::SetScannerFound(bool found) {
    sbScan->setEnabled(found);
    ScanEntry->setEnabled(found);
}

bool TMainMenuForm::event(QEvent* event) {
    // The palette is a window of its own: its hints do not reach the main window's
    // status bar by themselves.
    if (event->type() == QEvent::StatusTip && OnHint) {
        OnHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

void TMainMenuForm::SetShapeColour(int tool, const QColor& colour) {
    if (!Shapes[tool]) return;
    QPalette p = Shapes[tool]->palette();
    p.setColor(QPalette::WindowText, colour);
    Shapes[tool]->setPalette(p);
}

void TMainMenuForm::SelectTool(int n) {
    if (n < 1 || n > kToolCount) return;
    if (n == Active) {
        CloseTool();
        return;
    }
    if (!CloseTool()) {
        if (Buttons[n]) Buttons[n]->setChecked(false);
        return;
    }
    Active = n;
    if (Buttons[n]) Buttons[n]->setChecked(true);
    SetShapeColour(n, ToolFrameColour(n));
    Window = CreateToolWindow ? CreateToolWindow(n, this) : nullptr;
    std::unique_ptr<TTool> engine = CreateToolEngine ? CreateToolEngine(n) : nullptr;
    if (!Window && !engine) { // nothing could be made: no tool is active
        CloseTool();
        return;
    }
    Dispatcher.Activate(n, std::move(engine));
    if (Window) {
        Window->show(); // shown first: its layout settles its size
        PlaceInsideScreen(Window, frameGeometry().bottomLeft() + QPoint(0, 2)); // below the palette
    }
}

bool TMainMenuForm::CloseTool() {
    if (Active) {
        show();
        Dispatcher.Deactivate(); // the engine ends its pending operation before its window goes
        delete Window;
        Window = nullptr;
        if (Buttons[Active]) Buttons[Active]->setChecked(false);
        for (int tool = 1; tool <= kToolCount; ++tool)
            SetShapeColour(tool, Qt::black);
        Active = 0;
    }
    if (OnToolClosed) OnToolClosed(); // the full view and the buttons follow, tool or not
    return true;
}

void TMainMenuForm::UpdateButtons(int bitsPerPixel, bool selection) {
    for (int tool = 1; tool <= kToolCount; ++tool) {
        const bool on = (!ToolExists || ToolExists(tool)) && ToolEnabled(tool, bitsPerPixel, selection);
        if (Buttons[tool]) Buttons[tool]->setEnabled(on);
        if (Entries[tool]) Entries[tool]->setEnabled(on && tool != Tool3D); // its entry stays off
    }
}

void TMainMenuForm::KeyForward(QKeyEvent* event, bool release) {
    // The active tool hears a key first: Escape drops a shape begun, and only
    // then, pressed again, the document's selection.
    if (!release && Dispatcher.KeyPress(event->key(), int(event->modifiers())))
        event->accept();
    else if (OnDocumentKey)
        OnDocumentKey(event, release);
    if (Active == ToolDraw && Window) {
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(), event->isAutoRepeat(),
                       ushort(event->count()));
        QCoreApplication::sendEvent(Window, &copy);
    }
}
