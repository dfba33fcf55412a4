// What the user sees follows the design: wheel scrolling and zooming, the status bar
// and full view after every change, the Window menu and where tool windows open.
#include "app/Mainwindow.h"
#include "colour/Colorchart_f.h"
#include "colour/Palette_f.h"
#include "raster/Tpstretchimage_f.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Fullview_f.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

namespace {

class Displays : public MainWindowTest {
  protected:
    TMainImageForm* Large() {
        TPaper p;
        p.dpi = 160;
        SetPaper(p, kPaperCustom, 2000, 1500);
        TMainImageForm* doc = main->NewDocument(p, 8);
        doc->iMainImage->SetZoom(1, 1);
        doc->iMainImage->SetPosition(0, 0);
        return doc;
    }
    static void Wheel(TMainImageForm* doc, QPoint at, int notches, Qt::KeyboardModifiers modifiers) {
        QWheelEvent wheel(at, doc->iMainImage->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(doc->iMainImage, &wheel);
    }
    // Paint events a widget received while f ran and the events were processed.
    template <class F> int PaintsOf(QWidget* w, F f) {
        struct Counter : QObject {
            int N = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                N += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        QApplication::processEvents();
        w->installEventFilter(&counter);
        f();
        QApplication::processEvents();
        w->removeEventFilter(&counter);
        return counter.N;
    }
};

} // namespace

TEST_F(Displays, TheWheelScrollsAndCtrlWheelZoomsAboutThePointer) {
    TMainImageForm* doc = Large();
    const TImageView& view = doc->iMainImage->View();
    Wheel(doc, QPoint(20, 20), -1, Qt::NoModifier);
    EXPECT_EQ(doc->iMainImage->PositionY(), view.ViewH() / 8);
    EXPECT_EQ(doc->sbVertical->value(), doc->iMainImage->PositionY());
    Wheel(doc, QPoint(20, 20), -1, Qt::ShiftModifier);
    EXPECT_EQ(doc->iMainImage->PositionX(), view.ViewW() / 8);
    const QPoint at(40, 30);
    const QPoint under(view.CanvasToBitmapX(at.x()), view.CanvasToBitmapY(at.y()));
    Wheel(doc, at, 1, Qt::ControlModifier);
    EXPECT_EQ(doc->iMainImage->GetZoomIn(), 2);
    EXPECT_EQ(QPoint(view.CanvasToBitmapX(at.x()), view.CanvasToBitmapY(at.y())), under);
    EXPECT_EQ(doc->PanelText(2), "Zoom : 2");
}

TEST_F(Displays, EveryChangeReachesTheStatusBarAndTheFullView) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    const QString size = main->StatusPanel(0)->text();
    ASSERT_EQ(doc->EnlargeCanvas(80, 60), 0u);
    EXPECT_NE(main->StatusPanel(0)->text(), size);
    main->EUndoItem->trigger();
    EXPECT_EQ(main->StatusPanel(0)->text(), size);

    TFullViewForm* full = main->FullView();
    full->show();
    full->ShowImage(doc);
    doc->Document().SetSelection(QRegion(0, 0, 8, 8));
    ASSERT_EQ(doc->CopyToClipboard(), 0u);
    EXPECT_GT(PaintsOf(full->Image, [&] { ASSERT_EQ(doc->CutToClipboard(), 0u); }), 0);
    EXPECT_GT(PaintsOf(full->Image, [&] { ASSERT_EQ(doc->PasteFromClipboard(), 0u); }), 0);
    EXPECT_TRUE(main->ESelectNoneItem->isEnabled()); // the menus know of the pasted selection
    EXPECT_FALSE(doc->sbMaskShow->isEnabled());      // there is no mask to show

    // After a window closes the full view shows the design that is current now, once.
    TMainImageForm* other = Document(24);
    ASSERT_NE(other, nullptr);
    Draw(other->Document(),
         [](TOrvaneBitmap& p) { p.FillRect(MakeColorRef(0, 0, 255), QRect(0, 0, 64, 48)); });
    other->Document().SetModified(false);
    ASSERT_TRUE(other->parentWidget()->close());
    QApplication::processEvents();
    ASSERT_EQ(CurrentDocument(), doc);
    EXPECT_EQ(full->Document(), doc);
    EXPECT_EQ(full->Image->Bitmap(), &doc->Document().Picture());
}

TEST_F(Displays, TheWindowMenuListsTheOpenDocuments) {
    TMainImageForm* first = Document(8);
    TMainImageForm* second = Document(24);
    ASSERT_TRUE(first && second);
    emit main->WindowItem()->aboutToShow();
    QList<QAction*> entries;
    for (QAction* a : main->WindowItem()->actions())
        if (a->text().startsWith('&') && a->isCheckable()) entries << a;
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&1 " + first->windowTitle());
    EXPECT_TRUE(entries[1]->isChecked());
    entries[0]->trigger();
    EXPECT_EQ(CurrentDocument(), first);
    emit main->WindowItem()->aboutToShow(); // made again, not added to
    int again = 0;
    for (QAction* a : main->WindowItem()->actions())
        again += a->isCheckable();
    EXPECT_EQ(again, 2);
}

TEST_F(Displays, ToolWindowsOpenInsideTheScreenBelowTheMenuBar) {
    Document(8);
    const QRect screen = main->screen()->availableGeometry();
    const int menuBottom = main->menuBar()->mapToGlobal(QPoint(0, main->menuBar()->height())).y();
    TMainMenuForm* menu = main->MainMenu();
    menu->show();
    menu->move(screen.right() - 20, screen.bottom() - 20); // the palette far down on the right
    menu->SelectTool(ToolUndo);
    ASSERT_NE(menu->ToolWindow(), nullptr);
    const QRect g = menu->ToolWindow()->frameGeometry();
    EXPECT_TRUE(screen.contains(g)) << g.x() << "," << g.y() << " " << g.width() << "x" << g.height()
                                    << " in " << screen.width() << "x" << screen.height();
    TPaletteForm* palette = main->PaletteWindow();
    palette->show();
    palette->move(screen.left(), screen.top()); // no room left of it, and above the menu bar
    palette->SetMode(ModeChart);
    EXPECT_TRUE(screen.contains(palette->ColorChart->frameGeometry()));
    EXPECT_GE(palette->ColorChart->frameGeometry().top(), menuBottom);
    // The grid dialog opens beside the full view with all of it, buttons too, on the screen.
    TFullViewForm* full = main->FullView();
    full->show();
    full->move(screen.right() - full->frameGeometry().width(), screen.top());
    QRect dialog;
    QTimer::singleShot(0, [&] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialog = d->frameGeometry();
            d->reject();
        }
    });
    full->sbGrid->click();
    EXPECT_FALSE(dialog.isEmpty());
    EXPECT_TRUE(screen.contains(dialog));
}

TEST_F(Displays, ANewCanvasTakesTheCurrentColourAtBothDepths) {
    main->MainMenu()->Dispatch().SetColour(TCurrentColour::OfIndex(40));
    for (int bits : {8, 24}) {
        TMainImageForm* doc = Document(bits);
        ASSERT_NE(doc, nullptr);
        const TDocument& d = doc->Document();
        EXPECT_EQ(d.Picture().GetPixel(63, 47), bits == 8 ? 40u : d.Palette()[40].ColorRef()) << bits;
    }
}
