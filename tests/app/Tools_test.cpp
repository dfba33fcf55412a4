// A tool on the dispatch driven through a real document window, as the coming tools are.
#include "app/Mainwindow.h"
#include "colour/Colorref.h"
#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "raster/Tptextileimage_f.h"
#include "support/Setpixeltool.h"

#include <QTest>

TEST_F(MainWindowTest, AToolOnTheDispatchDrawsThroughADocumentWindowAndIsUndone) {
    TMainImageForm* doc = Document(8);
    ASSERT_NE(doc, nullptr);
    doc->iMainImage->SetZoom(2, 1);
    doc->iMainImage->SetPosition(0, 0);
    TToolDispatch& dispatch = main->MainMenu()->Dispatch();
    main->MainMenu()->CreateToolEngine = [](int number) -> std::unique_ptr<TTool> {
        return number == ToolDraw ? std::make_unique<TSetPixelTool>() : nullptr;
    };
    main->MainMenu()->SelectTool(ToolDraw);
    auto* tool = dynamic_cast<TSetPixelTool*>(dispatch.ActiveTool());
    ASSERT_NE(tool, nullptr);

    main->PaletteWindow()->DIB256Palette->SetChoiceIndex(9); // the user chooses a colour
    EXPECT_EQ(dispatch.Colour().Index, 9);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(11, 7)); // picture pixel (5, 3)
    EXPECT_EQ(tool->Downs, 1);
    EXPECT_EQ(tool->Ups, 1);
    EXPECT_EQ(doc->Document().Picture().GetPixel(5, 3), 9u);
    const QImage shown = doc->iMainImage->grab().toImage(); // the view repainted from the notice
    const TColorRef nine = doc->Document().Palette()[9].ColorRef();
    EXPECT_EQ(shown.pixel(11, 7) & 0xFFFFFF,
              ToQColor(nine).rgb() & 0xFFFFFF);
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
