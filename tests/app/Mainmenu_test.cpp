#include "app/Mainwindow.h"
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "platform/Effects.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Fullview_f.h"
#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu_f.h"
#include "tools/Penmanager_f.h"

#include "support/Draw.h"
#include <QApplication>
#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {
class ToolPalette : public MainWindowTest {};
} // namespace

TEST_F(ToolPalette, SelectingTheActiveToolAgainLeavesIt) {
    Document(8);
    TMainMenuForm* menu = main->MainMenu();
    QToolButton* undo = menu->Button(ToolUndo);
    ASSERT_TRUE(undo->isEnabled());
    QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_EQ(menu->ActiveTool(), ToolUndo);
    EXPECT_TRUE(undo->isChecked());
    EXPECT_EQ(menu->Shape(ToolUndo)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QTest::mouseClick(undo, Qt::LeftButton);
    EXPECT_EQ(menu->ActiveTool(), 0);
    EXPECT_FALSE(undo->isChecked());
    EXPECT_EQ(ColouredFrames(), 0);
    menu->SelectTool(ToolStitch); // no window and no engine can be made: no tool is active
    EXPECT_EQ(menu->ActiveTool(), 0);
    EXPECT_EQ(ColouredFrames(), 0);
}

TEST_F(ToolPalette, SwitchingToolsLeavesOneFrameColouredAndClosesTheFirstWindow) {
    Document(8);
    TMainMenuForm* menu = main->MainMenu();
    int made = 0, alive = 0;
    menu->CreateToolWindow = [&](int, QWidget* owner) {
        ++made;
        ++alive;
        auto* w = new QWidget(owner, Qt::Tool);
        QObject::connect(w, &QObject::destroyed, [&] { --alive; });
        return w;
    };
    menu->SelectTool(ToolDraw);
    menu->SelectTool(ToolStripe);
    EXPECT_EQ(made, 2);
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(ColouredFrames(), 1);
    EXPECT_EQ(menu->Shape(ToolStripe)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_FALSE(menu->Button(ToolDraw)->isChecked());
    QTest::mouseClick(menu->sbExit, Qt::LeftButton);
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(menu->ActiveTool(), 0);
}

TEST_F(ToolPalette, EnablingFollowsDepthSelectionAndDocuments) {
    TMainMenuForm* menu = main->MainMenu();
    EXPECT_FALSE(menu->Button(ToolUndo)->isEnabled()); // no document yet
    TMainImageForm* doc = Document(24);
    EXPECT_TRUE(menu->Button(ToolUndo)->isEnabled());
    EXPECT_TRUE(menu->Button(ToolFill)->isEnabled());
    EXPECT_FALSE(menu->Button(ToolStitch)->isEnabled()); // the program has no Stitch tool yet
    EXPECT_FALSE(menu->Entry(ToolStitch)->isEnabled());
    // Every tool that exists follows the depth and selection rules, button and pop-up entry alike.
    menu->ToolExists = [](int) { return true; };
    main->UpdateMenuItems();
    EXPECT_TRUE(menu->Button(ToolStripe)->isEnabled());
    EXPECT_FALSE(menu->Entry(ToolGrouping)->isEnabled());
    EXPECT_FALSE(menu->Button(ToolGrouping)->isEnabled());
    EXPECT_FALSE(menu->Button(ToolCarpet)->isEnabled());
    EXPECT_FALSE(menu->Button(ToolColorChange)->isEnabled());
    EXPECT_FALSE(menu->Button(ToolMoveCopy)->isEnabled());
    EXPECT_FALSE(menu->Button(ToolStipple)->isEnabled()); // no window for it yet
    doc->Document().SetSelection(QRect(1, 1, 5, 5));
    main->UpdateMenuItems();
    EXPECT_TRUE(menu->Button(ToolColorChange)->isEnabled());
    EXPECT_TRUE(menu->Button(ToolMoveCopy)->isEnabled());
    Document(8);
    EXPECT_TRUE(menu->Button(ToolGrouping)->isEnabled());
    EXPECT_TRUE(menu->Button(ToolCarpet)->isEnabled());
}

TEST_F(ToolPalette, PopupZoomEntriesZoomTheDocument) {
    TMainImageForm* doc = Document(8);
    QMenu* popup = main->MainMenu()->PopupMenu1;
    ASSERT_GE(popup->actions().size(), 9);
    EXPECT_EQ(popup->actions()[0]->text(), "Zoom : 1/16");
    popup->actions()[8]->trigger();
    EXPECT_EQ(doc->PanelText(2), "Zoom : 16");
    EXPECT_EQ(main->MainMenu()->windowTitle(), "Textile Menu");
}

TEST_F(ToolPalette, PaletteEditsChangeTheDesignsColoursAtOnce) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    Draw(doc->Document(), [&](TOrvaneBitmap& p) { p.SetPixel(3, 3, 40); });
    main->PaletteWindow()->AttachDocument(&doc->Document());
    main->PaletteWindow()->DIB256Palette->SetChoiceIndex(40);
    QTest::mouseClick(main->PaletteWindow()->sbCMY, Qt::LeftButton);
    main->PaletteWindow()->seCyan->setValue(255);
    main->PaletteWindow()->seMagenta->setValue(0);
    main->PaletteWindow()->seYellow->setValue(0);
    EXPECT_EQ(doc->Document().Palette()[40].ColorRef(), MakeColorRef(0, 255, 255));
    TRGBQuad q;
    doc->Document().Picture().GetColors(40, 1, &q);
    EXPECT_EQ(MakeColorRef(q.rgbRed, q.rgbGreen, q.rgbBlue), MakeColorRef(0, 255, 255));
    const QImage shown = doc->iMainImage->grab().toImage();
    EXPECT_EQ(shown.pixel(3, 3) & 0xFFFFFF, 0x00FFFFu);
}

TEST_F(ToolPalette, ImageEffectsWorkOnFullColourDesignsOnly) {
    TMainImageForm* idx = Document(8);
    EXPECT_FALSE(main->ApplyImageEffect(EffectSolarize, 10, 0));
    TMainImageForm* doc = Document(24);
    ASSERT_NE(doc, nullptr);
    Draw(doc->Document(),
         [&](TOrvaneBitmap& p) { p.FillRect(MakeColorRef(200, 100, 20), QRect(0, 0, 64, 48)); });
    doc->Document().SetSelection(QRect(1, 1, 4, 4));
    doc->Document().SetModified(false);
    ASSERT_TRUE(main->ApplyImageEffect(EffectSolarize, 150, 0));
    EXPECT_EQ(doc->Document().Picture().GetPixel(2, 2), MakeColorRef(55, 100, 20));
    EXPECT_EQ(doc->Document().Picture().GetPixel(5, 5), MakeColorRef(200, 100, 20)); // outside the selection
    EXPECT_TRUE(doc->Document().Modified());
    EXPECT_TRUE(doc->Document().Picture().HasRegion()); // the selection survives
    EXPECT_FALSE(main->ApplyImageEffect(EffectPosterize, 1, 0));
    EXPECT_EQ(doc->Document().Picture().GetPixel(2, 2), MakeColorRef(55, 100, 20));
    (void)idx;
}

TEST_F(ToolPalette, ToolWindowsStackAlongTheRightEdge) {
    QWidget* stack[] = {static_cast<QWidget*>(main->PenWindow()), static_cast<QWidget*>(main->FullView()),
                        static_cast<QWidget*>(main->PaletteWindow()), main->MainMenu()};
    main->resize(1200, 1400);
    QApplication::processEvents();
    main->FirstActivation(QString());
    const QRect client(main->mapToGlobal(main->MdiArea()->geometry().topLeft()), main->MdiArea()->size());
    int bottom = -1000000;
    for (QWidget* w : stack) { // one column, top to bottom, at the right edge
        ASSERT_TRUE(w->isVisible());
        EXPECT_GE(w->frameGeometry().top(), bottom);
        EXPECT_EQ(w->frameGeometry().right(), client.right() - 2);
        bottom = w->frameGeometry().bottom();
    }
    EXPECT_EQ(main->PenWindow()->windowTitle(), "Pen");
    // On a low screen the stack flows into a second column and stays on the screen.
    main->resize(1200, 560);
    QApplication::processEvents();
    main->ArrangeTools();
    const int floor = main->mapToGlobal(QPoint(0, main->MdiArea()->geometry().bottom())).y();
    for (QWidget* w : stack)
        EXPECT_LE(w->frameGeometry().bottom(), floor);
    for (QWidget* a : stack)
        for (QWidget* b : stack)
            EXPECT_TRUE(a == b || !a->frameGeometry().intersects(b->frameGeometry()));
}
