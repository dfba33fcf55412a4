// A tool on the dispatch driven through a real document window, as the coming tools are.
#include "app/Mainwindow.h"
#include "colour/Colorref.h"
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "platform/Inifile.h"
#include "raster/Tptextileimage_f.h"
#include "raster/Undo.h"
#include "shell/Common.h"
#include "shell/Mainimage.h"
#include "support/Setpixeltool.h"
#include "tools/Draw_f.h"
#include "tools/Drawtool.h"
#include "tools/Penmanager_f.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusTipEvent>
#include <QTabletEvent>
#include <QTest>
#include <QToolButton>

namespace {
// The main window with the test tool as its Draw tool.
class Tools : public MainWindowTest {
  protected:
    TSetPixelTool* UseTool() {
        main->MainMenu()->CreateToolEngine = [](int number) -> std::unique_ptr<TTool> {
            return number == ToolDraw ? std::make_unique<TSetPixelTool>() : nullptr;
        };
        main->MainMenu()->SelectTool(ToolDraw);
        return dynamic_cast<TSetPixelTool*>(main->MainMenu()->Dispatch().ActiveTool());
    }
    // A 256-colour design shown 1:1 from its corner, with colour 12 chosen in the palette.
    TMainImageForm* Canvas() {
        TMainImageForm* doc = Document(8);
        if (!doc) return nullptr;
        doc->iMainImage->SetZoom(1, 1);
        doc->iMainImage->SetPosition(0, 0);
        main->PaletteWindow()->DIB256Palette->SetChoiceIndex(12);
        return doc;
    }
    void Press(TMainImageForm* doc, QPointF at, Qt::MouseButton button) {
        QMouseEvent press(QEvent::MouseButtonPress, at, doc->iMainImage->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(doc->iMainImage, &press);
    }
};
} // namespace

TEST_F(Tools, AToolOnTheDispatchDrawsThroughADocumentWindowAndIsUndone) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    doc->iMainImage->SetZoom(2, 1);
    doc->iMainImage->SetPosition(0, 0);
    TToolDispatch& dispatch = main->MainMenu()->Dispatch();
    TSetPixelTool* tool = UseTool();
    ASSERT_NE(tool, nullptr);

    main->PaletteWindow()->DIB256Palette->SetChoiceIndex(9); // the user chooses a colour
    EXPECT_EQ(dispatch.Colour().Index, 9);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(11, 7)); // picture pixel (5, 3)
    EXPECT_EQ(tool->Downs, 1);
    EXPECT_EQ(tool->Ups, 1);
    EXPECT_EQ(doc->Document().Picture().GetPixel(5, 3), 9u);
    const QImage shown = doc->iMainImage->grab().toImage(); // the view repainted from the notice
    const TColorRef nine = doc->Document().Palette()[9].ColorRef();
    EXPECT_EQ(shown.pixel(11, 7) & 0xFFFFFF, ToQColor(nine).rgb() & 0xFFFFFF);
    EXPECT_TRUE(doc->Document().Modified());

    // A middle click picks the colour, and the palette window follows it.
    QTest::mouseClick(doc->iMainImage, Qt::MiddleButton, {}, QPoint(21, 21));
    EXPECT_EQ(dispatch.Colour().Index, doc->Document().Picture().GetPixel(10, 10));
    EXPECT_EQ(main->PaletteWindow()->DIB256Palette->ChoiceIndex(), dispatch.Colour().Index);

    main->EUndoItem->trigger();
    EXPECT_NE(doc->Document().Picture().GetPixel(5, 3), 9u);
    main->MainMenu()->CloseTool();
    EXPECT_EQ(dispatch.ActiveTool(), nullptr);
}

TEST_F(Tools, APickedColourReachesThePaletteWindowAndItsEdits) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    Draw(doc->Document(), [](TOrvaneBitmap& p) { p.SetPixel(6, 4, 40); });
    doc->iMainImage->SetZoom(1, 1);
    doc->iMainImage->SetPosition(0, 0);
    TPaletteForm* palette = main->PaletteWindow();
    palette->DIB256Palette->SetChoiceIndex(9);
    QTest::mouseClick(doc->iMainImage, Qt::MiddleButton, {}, QPoint(6, 4));
    EXPECT_EQ(palette->DIB256Palette->ChoiceIndex(), 40);
    EXPECT_EQ(palette->FGColor->Color(), doc->Document().Palette()[40].ColorRef());
    const TColorData before9 = doc->Document().Palette()[9], before40 = doc->Document().Palette()[40];
    palette->sbCMY->click(); // the next edit changes the picked entry
    palette->seCyan->setValue(palette->seCyan->value() == 0 ? 10 : 0);
    EXPECT_TRUE(doc->Document().Palette()[9] == before9);
    EXPECT_FALSE(doc->Document().Palette()[40] == before40);
    EXPECT_EQ(palette->UndoCount(), 1);

    // In full colour, black picked from the design is drawn as black.
    TMainImageForm* full = Document(24);
    ASSERT_NE(full, nullptr);
    Draw(full->Document(),
         [](TOrvaneBitmap& p) { p.FillRect(MakeColorRef(200, 10, 10), QRect(0, 0, 64, 48)); });
    Draw(full->Document(), [](TOrvaneBitmap& p) { p.SetPixel(2, 2, 0); });
    full->iMainImage->SetZoom(1, 1);
    full->iMainImage->SetPosition(0, 0);
    QTest::mouseClick(full->iMainImage, Qt::LeftButton, Qt::ShiftModifier, QPoint(2, 2));
    EXPECT_EQ(palette->FGColor->Color(), 0u);
    full->Document().SetSelection(QRegion(10, 10, 4, 4));
    ASSERT_EQ(full->CutToClipboard(), 0u);
    EXPECT_EQ(full->Document().Picture().GetPixel(11, 11), 0u);
}

TEST_F(Tools, PointerPositionsTruncateAndTheOperationEndsWhenTheDesignChanges) {
    TMainImageForm* first = Document(8);
    TMainImageForm* second = Document(8);
    ASSERT_TRUE(first && second);
    TSetPixelTool* tool = UseTool();
    ASSERT_NE(tool, nullptr);
    main->PaletteWindow()->DIB256Palette->SetChoiceIndex(9);
    second->iMainImage->SetZoom(1, 1);
    second->iMainImage->SetPosition(0, 0);
    Press(second, QPointF(10.9, 6.9), Qt::LeftButton); // inside pixel (10, 6)
    EXPECT_EQ(second->Document().Picture().GetPixel(10, 6), 9u);
    EXPECT_NE(second->Document().Picture().GetPixel(11, 7), 9u);

    const int cancels = tool->Cancels;
    main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(first->parentWidget()));
    EXPECT_EQ(tool->Cancels, cancels + 1); // another design became current
    EXPECT_TRUE(first->FormCloseQuery());
    EXPECT_EQ(tool->Cancels, cancels + 2); // the close question

    // A tool button's hint shows in the status bar's fourth panel.
    QStatusTipEvent tip(main->MainMenu()->Button(ToolUndo)->statusTip());
    QApplication::sendEvent(main->MainMenu()->Button(ToolUndo), &tip);
    EXPECT_EQ(main->StatusPanel(4)->text(), main->MainMenu()->Button(ToolUndo)->toolTip());
    main->ShowProgress(40);
    EXPECT_TRUE(main->ProgressBar()->isVisibleTo(main.get()));
    main->ShowProgress(-1);
    EXPECT_FALSE(main->ProgressBar()->isVisibleTo(main.get()));
}

TEST_F(Tools, WithNoToolActiveThePenPaintsAStrokeThatShowsAsItGoesAndUndoesInOneStep) {
    TMainImageForm* doc = Canvas();
    ASSERT_NE(doc, nullptr);
    const uint32_t ground = doc->Document().Picture().GetPixel(30, 20);
    ASSERT_EQ(main->MainMenu()->ActiveTool(), 0);
    QTest::mousePress(doc->iMainImage, Qt::LeftButton, {}, QPoint(10, 20));
    for (int x = 12; x <= 40; x += 4) {
        QTest::mouseMove(doc->iMainImage, QPoint(x, 20));
        doc->ProcessPendingMove(); // what the 50 ms timer does
    }
    // Before the release the view already shows the stroke.
    const TColorRef twelve = doc->Document().Palette()[12].ColorRef();
    EXPECT_EQ(doc->iMainImage->grab().toImage().pixel(30, 20) & 0xFFFFFF, ToQColor(twelve).rgb() & 0xFFFFFF);
    QTest::mouseRelease(doc->iMainImage, Qt::LeftButton, {}, QPoint(40, 20));
    for (int x : {10, 25, 40})
        EXPECT_EQ(doc->Document().Picture().GetPixel(x, 20), 12u) << x;
    EXPECT_EQ(doc->Document().Picture().GetPixel(30, 40), ground);
    main->EUndoItem->trigger(); // the whole stroke goes in one step
    EXPECT_EQ(doc->Document().Picture().GetPixel(10, 20), ground);
    EXPECT_EQ(doc->Document().Picture().GetPixel(40, 20), ground);
}

TEST_F(Tools, ThePenWindowSetsThePenAndKeepsItInPenIni) {
    TMainImageForm* doc = Canvas();
    ASSERT_NE(doc, nullptr);
    TPenManagerForm* pen = main->PenWindow();
    EXPECT_EQ(pen->windowTitle(), "Pen");
    // Each set of toggles shows its own choice.
    EXPECT_TRUE(pen->PenButton[PenNormal]->isChecked());
    EXPECT_TRUE(pen->rbCircle->isChecked());
    EXPECT_TRUE(pen->AirFunction[AirSingle]->isChecked());
    const uint32_t ground = doc->Document().Picture().GetPixel(20, 14);
    for (int size : {12, 2}) { // a wide pen reaches four rows off the line, a thin one does not
        pen->sePenSize->setValue(size);
        const int y = size == 12 ? 10 : 30;
        QTest::mousePress(doc->iMainImage, Qt::LeftButton, {}, QPoint(10, y));
        QTest::mouseMove(doc->iMainImage, QPoint(40, y));
        doc->ProcessPendingMove();
        QTest::mouseRelease(doc->iMainImage, Qt::LeftButton, {}, QPoint(40, y));
        EXPECT_EQ(doc->Document().Picture().GetPixel(25, y + 4) == 12u, size == 12) << size;
    }
    EXPECT_EQ(doc->Document().Picture().GetPixel(20, 14 + 10), ground);
    QTest::mouseClick(pen->PenButton[PenCrayon], Qt::LeftButton);
    EXPECT_TRUE(pen->seDensity->isEnabled());
    const TPenSettings kept = ReadPenSettings(TIniFile(SettingsFile("Pen.Ini")));
    EXPECT_EQ(kept.Kind, PenCrayon);
    EXPECT_EQ(kept.Size, 2);
}

TEST_F(Tools, TheTabletPensPressureSetsTheStrokesWidth) {
    TMainImageForm* doc = Canvas();
    ASSERT_NE(doc, nullptr);
    main->PenWindow()->sePenSize->setValue(20);
    main->PenWindow()->cbPressure->setChecked(true);
    QPointingDevice stylus("pen", 77, QInputDevice::DeviceType::Stylus, QPointingDevice::PointerType::Pen,
                           QInputDevice::Capability::Position | QInputDevice::Capability::Pressure, 1, 3);
    // As Qt does: each tablet event, left unaccepted, is followed by a mouse event.
    auto tablet = [&](QEvent::Type type, QPoint at, double pressure) {
        QTabletEvent event(type, &stylus, at, doc->iMainImage->mapToGlobal(QPointF(at)), pressure, 0, 0, 0, 0,
                           0, Qt::NoModifier, Qt::LeftButton,
                           type == QEvent::TabletRelease ? Qt::NoButton : Qt::LeftButton);
        QApplication::sendEvent(doc->iMainImage, &event);
        if (type == QEvent::TabletPress) QTest::mousePress(doc->iMainImage, Qt::LeftButton, {}, at);
        if (type == QEvent::TabletMove) {
            QTest::mouseMove(doc->iMainImage, at);
            doc->ProcessPendingMove();
        }
        if (type == QEvent::TabletRelease) QTest::mouseRelease(doc->iMainImage, Qt::LeftButton, {}, at);
    };
    for (auto [y, pressure] : {std::pair{12, 0.05}, std::pair{34, 1.0}}) {
        tablet(QEvent::TabletPress, QPoint(10, y), pressure);
        tablet(QEvent::TabletMove, QPoint(50, y), pressure);
        tablet(QEvent::TabletRelease, QPoint(50, y), pressure);
    }
    const TOrvaneBitmap& picture = doc->Document().Picture();
    EXPECT_EQ(picture.GetPixel(30, 12), 12u);
    EXPECT_NE(picture.GetPixel(30, 12 + 6), 12u); // a light touch: a thin line
    EXPECT_EQ(picture.GetPixel(30, 34 + 6), 12u); // a full press: the whole pen
}

TEST_F(Tools, TheDrawWindowDrawsEachShapeClickedOnTheCanvasAsOneUndoStep) {
    TMainImageForm* doc = Canvas();
    ASSERT_NE(doc, nullptr);
    main->PenWindow()->sePenSize->setValue(1);
    QTest::mouseClick(main->MainMenu()->Button(ToolDraw), Qt::LeftButton); // through the tool palette
    auto* draw = qobject_cast<TDrawForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(draw, nullptr);
    EXPECT_EQ(draw->windowTitle(), "Draw");
    const TOrvaneBitmap& picture = doc->Document().Picture();
    const uint32_t ground = picture.GetPixel(0, 0);
    struct Case {
        int type;
        std::vector<QPoint> clicks;
        QPoint drawn, left; // a pixel the shape takes, and one it leaves
    } cases[] = {
        {DrawLine, {{5, 5}, {20, 5}}, {12, 5}, {12, 6}},
        {DrawSquare, {{5, 10}, {15, 30}}, {5, 14}, {10, 14}},
        {DrawRect, {{30, 10}, {40, 20}}, {35, 20}, {35, 15}},
        {DrawCircle, {{20, 30}, {20, 40}}, {15, 30}, {20, 30}},
        {DrawEllipse, {{40, 25}, {60, 35}}, {50, 25}, {50, 30}},
        {DrawCurve, {{5, 45}, {25, 45}, {15, 38}}, {15, 38}, {15, 45}},
    };
    for (const Case& c : cases) {
        QTest::mouseClick(draw->sbFunction[c.type], Qt::LeftButton);
        const int steps = UndoStore().Count();
        for (const QPoint& p : c.clicks)
            QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, p);
        EXPECT_EQ(picture.GetPixel(c.drawn.x(), c.drawn.y()), 12u) << c.type;
        EXPECT_EQ(picture.GetPixel(c.left.x(), c.left.y()), ground) << c.type;
        EXPECT_EQ(UndoStore().Count(), steps + 1) << c.type;
        main->EUndoItem->trigger();
        EXPECT_EQ(picture.GetPixel(c.drawn.x(), c.drawn.y()), ground) << c.type;
    }
    // Between the clicks the preview shows over the view; the design stays as it was.
    QTest::mouseClick(draw->sbFunction[DrawRect], Qt::LeftButton);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(30, 10));
    QMouseEvent hover(QEvent::MouseMove, QPointF(40, 20), doc->iMainImage->mapToGlobal(QPointF(40, 20)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(doc->iMainImage, &hover);
    doc->ProcessPendingMove();
    const QImage shown = doc->iMainImage->grab().toImage();
    int dashes = 0; // the black dashes of the top edge
    for (int x = 30; x <= 40; ++x)
        dashes += (shown.pixel(x, 10) & 0xFFFFFF) == 0;
    EXPECT_GT(dashes, 3);
    EXPECT_NE(ToQColor(doc->Document().Palette()[int(ground)].ColorRef()).rgb() & 0xFFFFFF, 0u);
    EXPECT_EQ(picture.GetPixel(35, 10), ground);
    // Filled, and a typed length the Enter key takes without passing it on.
    QTest::mouseClick(draw->lFillType, Qt::LeftButton);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(40, 20));
    EXPECT_EQ(picture.GetPixel(35, 15), 12u);
    QTest::mouseClick(draw->sbFunction[DrawCircle], Qt::LeftButton);
    draw->eLength1->setText("0.2"); // centimetres: 12 dots at 160 dpi, less the pen
    QTest::keyClick(draw->eLength1, Qt::Key_Return);
    EXPECT_EQ(draw->lLock->text(), "Length lock on");
    // Escape, pressed while the document window has the focus, drops the shape begun.
    auto* engine = dynamic_cast<TDrawTool*>(main->MainMenu()->Dispatch().CurrentTool());
    ASSERT_NE(engine, nullptr);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(engine->Clicks(), 1);
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    doc->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(engine->Clicks(), 0);
    main->MainMenu()->CloseTool();
    TIniFile ini(SettingsFile("Draw.ini"));
    EXPECT_EQ(ini.ReadInteger("Draw", "Type", -1), DrawCircle);
    EXPECT_EQ(ini.ReadInteger("Fill", "Ok", -1), 1);
}

TEST_F(Tools, HalfDropFromTheViewMenuPicksTheWrappedColourOnTheNextTileColumn) {
    TMainImageForm* doc = Canvas(); // 64 x 48 shown 1:1 from its corner
    ASSERT_NE(doc, nullptr);
    Draw(doc->Document(), [](TOrvaneBitmap& p) { p.SetPixel(5, 30, 40); });
    doc->parentWidget()->resize(400, 300);
    // View > Repeat Display > Half Drop Vertical, by the texts the user reads.
    auto item = [&](const QString& text) -> QAction* {
        for (QAction* a : main->ViewItem()->findChildren<QAction*>())
            if (a->text() == text) return a;
        return nullptr;
    };
    ASSERT_NE(item("Half Drop Vertical"), nullptr);
    item("Half Drop Vertical")->trigger();
    EXPECT_TRUE(item("Half Drop Vertical")->isChecked());
    EXPECT_EQ(doc->sbHorizontal->maximum(), 63); // every seam can be scrolled into view

    // The second column of tiles lies 24 lower: view point (69, 54) shows pixel (5, 30).
    const QPoint at(69, 54);
    const TColorRef forty = doc->Document().Palette()[40].ColorRef();
    EXPECT_EQ(doc->iMainImage->grab().toImage().pixel(at) & 0xFFFFFF, ToQColor(forty).rgb() & 0xFFFFFF);
    QTest::mouseMove(doc->iMainImage, at);
    doc->ProcessPendingMove();
    EXPECT_EQ(doc->PanelText(3), PointerText(5, 30, 48, doc->Document().Unit(), 160));
    QMouseEvent press(QEvent::MouseButtonPress, at, doc->iMainImage->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(doc->iMainImage, &press);
    EXPECT_EQ(main->PaletteWindow()->DIB256Palette->ChoiceIndex(), 40);

    // The display belongs to its window: another shows none, and the menu follows.
    ASSERT_NE(Document(8), nullptr);
    EXPECT_TRUE(item("Off")->isChecked());
    main->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(doc->parentWidget()));
    EXPECT_TRUE(item("Half Drop Vertical")->isChecked());
}
