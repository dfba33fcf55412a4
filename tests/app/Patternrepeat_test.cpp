// The Pattern Repeat window chosen on the real tool palette: a motif sprayed along a
// dragged path lands every spacing pixels and at the path's end, and undoes as one.
#include "app/Mainwindow.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Capture.h"
#include "shell/Mainmenu.h"
#include "shell/Mainmenu_f.h"
#include "support/Draw.h"
#include "tools/Patternrepeat_f.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {
class PatternRepeatWindow : public MainWindowTest {
  protected:
    void TearDown() override {
        CapturedImages().Clear();
        MainWindowTest::TearDown();
    }
};
} // namespace

TEST_F(PatternRepeatWindow, SpraysTheMotifAlongADraggedPath) {
    TMainImageForm* doc = Document(8);
    doc->iMainImage->SetZoom(1, 1);
    doc->iMainImage->SetPosition(0, 0);
    TDocument& design = doc->Document();
    const uint32_t ink = design.Palette().UseColor; // a motif pixel in a colour in use
    ASSERT_GE(ink, 2u);
    design.EditPalette([ink](TPalette& p) { return p[int(ink)].SetRGB(200, 10, 10), true; });
    Draw(design, [ink](TOrvaneBitmap& p) { p.SetPixel(0, 0, ink); });
    ASSERT_TRUE(CapturedImages().Insert(design.Picture(), QRegion(0, 0, 1, 1)));
    Draw(design, [](TOrvaneBitmap& p) { p.SetPixel(0, 0, 1); });
    const uint32_t blank = design.Picture().GetPixel(30, 30);
    ASSERT_TRUE(design.SetSelection(QRegion(0, 0, 1, 1))); // the tool wants a work area
    QTest::mouseClick(main->MainMenu()->Button(ToolPatternRepeat), Qt::LeftButton);
    auto* form = qobject_cast<TPatternRepeatForm*>(main->MainMenu()->ToolWindow());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), "Pattern Repeat");
    EXPECT_EQ(form->Settings().Spacing, 100); // 1.59 cm
    form->sbImgSpray->click();
    form->LabelUnit->click(); // Inch
    form->LabelUnit->click(); // Dot
    EXPECT_EQ(form->LabelUnit->text(), "Dot");
    form->EditDot->setText("10");
    emit form->EditDot->editingFinished();
    ASSERT_EQ(form->Settings().Spacing, 10);
    QTest::mousePress(doc->iMainImage, Qt::LeftButton, {}, {5, 20});
    for (QPoint q : {QPoint(20, 20), QPoint(45, 20)})
        QTest::mouseMove(doc->iMainImage, q);
    QTest::mouseRelease(doc->iMainImage, Qt::LeftButton, {}, {45, 20});
    for (int x = 5; x <= 45; ++x) {
        const bool stamp = x == 15 || x == 25 || x == 35 || x == 45;
        EXPECT_EQ(design.Picture().GetPixel(x, 20), stamp ? ink : blank) << x;
    }
    ASSERT_TRUE(doc->Undo());
    for (int x : {15, 25, 35, 45})
        EXPECT_EQ(design.Picture().GetPixel(x, 20), blank) << x;
}
