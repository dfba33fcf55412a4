#include "colour/Palette.h"
#include "raster/Bitmapimage.h"

#include "Viewpictures.h"
#include <gtest/gtest.h>

using Picture = std::vector<std::string>;

TEST(BitmapImage, CopiesTheAskedPartSampledAndMasked) {
    TOrvaneBitmap full, indexed;
    ASSERT_TRUE(MakeGrey24(full, {"abcd", "efgh"}));
    ASSERT_TRUE(MakeIndexed(indexed, {"abcd", "efgh"})); // its own colours: a grey ramp
    QImage mask(2, 2, QImage::Format_Grayscale8);
    mask.fill(255);
    mask.scanLine(1)[0] = 0;
    struct Case {
        TImagePart part;
        Picture rows;
    } cases[] = {
        {{}, {"abcd", "efgh"}},
        {{.Rect = QRect(2, 1, 5, 5)}, {"gh"}}, // clipped to the picture
        {{.Size = QSize(2, 1)}, {"ac"}},
        {{.Size = QSize(8, 3)}, {"aabbccdd", "aabbccdd", "eeffgghh"}},
        {{.Rect = QRect(1, 0, 2, 2), .Mask = mask, .Outside = Grey('.')}, {"bc", ".g"}},
        {{.Rect = QRect(9, 9, 1, 1)}, {}},
        {{.Mask = mask}, {}}, // a mask of another size than the part
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FrameRows(BitmapImage(full, nullptr, c.part)), c.rows) << c.part.Rect.x();
        EXPECT_EQ(FrameRows(BitmapImage(indexed, nullptr, c.part)), c.rows) << c.part.Rect.x();
    }
}

TEST(BitmapImage, EightBitPicturesTakeThePaletteOrTheirOwnColours) {
    TOrvaneBitmap indexed, full, mono;
    ASSERT_TRUE(MakeIndexed(indexed, {"ab"}));
    ASSERT_TRUE(MakeGrey24(full, {"xy"}));
    ASSERT_TRUE(mono.Allocate(2, 1, nullptr, 1));
    TPalette palette;
    palette['a'].SetRGB('q', 'q', 'q');
    palette['b'].SetRGB('p', 'p', 'p');
    EXPECT_EQ(FrameRows(BitmapImage(indexed, &palette, {.Rect = QRect(1, 0, 1, 1)})), Picture{"p"});
    EXPECT_EQ(FrameRows(BitmapView(indexed, &palette)), Picture{"qp"});
    EXPECT_EQ(FrameRows(BitmapView(indexed, nullptr)), Picture{"ab"});
    EXPECT_EQ(FrameRows(BitmapView(full, &palette)), Picture{"xy"});
    EXPECT_EQ(BitmapView(full, nullptr).constBits(), full.ScanLine(0)); // no copy
    EXPECT_TRUE(BitmapImage(mono, nullptr).isNull());
    EXPECT_TRUE(BitmapView(mono, nullptr).isNull());
}
