// The Window tool chosen on the real tool palette selects with each mode by mouse,
// and what needs a selection follows it.
#include "app/Mainwindow.h"
#include "colour/Pcolorgrid_f.h"
#include "platform/Inifile.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Common.h"
#include "tools/Window_f.h"
#include "tools/Windowtool.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {
class Selecting : public MainWindowTest {
  protected:
    // A design shown 1:1 from its corner with a block of one colour, and the Window tool.
    TMainImageForm* Canvas(int bits, uint32_t block) {
        TMainImageForm* doc = Document(bits);
        if (!doc) return nullptr;
        doc->iMainImage->SetZoom(1, 1);
        doc->iMainImage->SetPosition(0, 0);
        Draw(doc->Document(), [block](TOrvaneBitmap& p) { p.FillRect(block, QRect(30, 10, 12, 8)); });
        // Move/Copy counts as built, so its button shows when tools needing a selection are enabled.
        main->MainMenu()->ToolExists = [](int tool) { return tool == ToolWindow || tool == ToolMoveCopy; };
        QTest::mouseClick(main->MainMenu()->Button(ToolWindow), Qt::LeftButton);
        window = qobject_cast<TWindowForm*>(main->MainMenu()->ToolWindow());
        return doc;
    }
    void Drag(TMainImageForm* doc, QPoint from, QPoint to) {
        QTest::mousePress(doc->iMainImage, Qt::LeftButton, {}, from);
        QTest::mouseMove(doc->iMainImage, to);
        doc->ProcessPendingMove();
        QTest::mouseRelease(doc->iMainImage, Qt::LeftButton, {}, to);
    }
    bool NeedsSelectionEnabled() const {
        return main->MainMenu()->Button(ToolMoveCopy)->isEnabled() && main->ESelectNoneItem->isEnabled();
    }
    TWindowForm* window = nullptr;
};
} // namespace

TEST_F(Selecting, EachModeSelectsByMouseAndToolsNeedingASelectionFollow) {
    TMainImageForm* doc = Canvas(8, 40);
    ASSERT_TRUE(doc && window);
    EXPECT_EQ(window->windowTitle(), "Window");
    const TDocument& design = doc->Document();
    EXPECT_FALSE(NeedsSelectionEnabled());

    QTest::mouseClick(window->sbShape, Qt::LeftButton);
    QTest::mouseClick(window->sbShapeKind[ShapeRectangle], Qt::LeftButton);
    Drag(doc, {5, 5}, {20, 15});
    EXPECT_EQ(design.Selection(), QRegion(5, 5, 16, 11));
    EXPECT_TRUE(NeedsSelectionEnabled());
    window->rbAddition->click(); // radio buttons and check boxes take clicks on their text only
    Drag(doc, {50, 30}, {52, 31});
    EXPECT_TRUE(design.Selection().contains(QPoint(51, 31)) && design.Selection().contains(QPoint(5, 5)));

    window->rbSet->click();
    QTest::mouseClick(window->sbIrregular, Qt::LeftButton);
    for (QPoint p : {QPoint(2, 2), QPoint(40, 2), QPoint(2, 40)})
        QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, p);
    QTest::mouseClick(window->sbIrreClose, Qt::LeftButton);
    EXPECT_TRUE(design.Selection().contains(QPoint(10, 10)));
    EXPECT_FALSE(design.Selection().contains(QPoint(35, 35)));
    // Escape drops points clicked before it drops the selection.
    auto* engine = dynamic_cast<TWindowTool*>(main->MainMenu()->Dispatch().CurrentTool());
    ASSERT_NE(engine, nullptr);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(50, 40));
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    doc->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(engine->Points().empty());
    EXPECT_TRUE(design.HasSelection());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(design.HasSelection());
    QTest::mouseClick(window->sbUndo, Qt::LeftButton);

    QTest::mouseClick(window->sbOutline, Qt::LeftButton);
    QTest::mouseClick(window->sbOutlineKind[OutlineSingle], Qt::LeftButton);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(35, 12));
    EXPECT_EQ(design.Selection(), QRegion(30, 10, 12, 8));

    QTest::mouseClick(window->sbOff, Qt::LeftButton);
    EXPECT_FALSE(design.HasSelection());
    EXPECT_FALSE(NeedsSelectionEnabled());
    QTest::mouseClick(window->sbUndo, Qt::LeftButton); // SWAP brings the block back
    EXPECT_EQ(design.Selection(), QRegion(30, 10, 12, 8));
    QTest::mouseClick(window->sbFull, Qt::LeftButton);
    EXPECT_EQ(design.Selection(), QRegion(design.Bounds()));

    // The colour set of Surface (Multi): Position takes clicked colours into it.
    QTest::mouseClick(window->sbOutlineKind[OutlineMulti], Qt::LeftButton);
    window->cbPosition->click();
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(35, 12));
    EXPECT_EQ(window->csSurfaceMulti->Count(), 1);
    main->MainMenu()->CloseTool();
    TIniFile ini(SettingsFile("Window.Ini"));
    EXPECT_EQ(ini.ReadInteger("Window", "Mode", -1), WindowOutline);
    EXPECT_EQ(ini.ReadInteger(kWindowColourSection, "Count", 0), 1);
}

TEST_F(Selecting, TheMagicOfAFullColourDesignSelectsByTolerance) {
    TMainImageForm* doc = Canvas(24, MakeColorRef(200, 40, 40));
    ASSERT_TRUE(doc && window);
    Draw(doc->Document(),
         [](TOrvaneBitmap& p) { p.FillRect(MakeColorRef(210, 50, 45), QRect(42, 10, 4, 8)); });
    QTest::mouseClick(window->sbOutline, Qt::LeftButton);
    QTest::mouseClick(window->sbOutlineKind[OutlineMulti], Qt::LeftButton);
    EXPECT_FALSE(window->csSurfaceMulti->isEnabled());
    window->seMagic->setValue(5); // d = 6: the neighbouring block differs by 10
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(35, 12));
    EXPECT_EQ(doc->Document().Selection(), QRegion(30, 10, 12, 8));
    EXPECT_TRUE(main->COverwriteItem->isEnabled());
    window->tbMagic->setValue(20); // d = 25 takes it in; Run repeats at the same position
    QTest::mouseClick(window->bnRun, Qt::LeftButton);
    EXPECT_EQ(doc->Document().Selection(), QRegion(30, 10, 16, 8));
    EXPECT_TRUE(window->lbMagic->text().endsWith("35, 12"));
}
