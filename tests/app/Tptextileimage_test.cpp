// The picture controls on the offscreen platform: clicks, grabbed pixels and repaint wiring.
#include "raster/Tpselectimage_f.h"
#include "raster/Tpstretchimage_f.h"
#include "raster/Tptextileimage_f.h"
#include "raster/Viewoutline.h"
#include "support/Pictures.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr TColorRef kRedRef = MakeColorRef(255, 0, 0);

QRgb Grey(int i) {
    return qRgb(i, i, i);
}

void Send(QWidget& w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers mods) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(p), w.mapToGlobal(QPointF(p)), button, held, mods);
    QApplication::sendEvent(&w, &e);
}

// The last mouse-down a control reported.
struct Recorder {
    explicit Recorder(TPImage& image) {
        QObject::connect(&image, &TPImage::MouseDown,
                         [this](Qt::MouseButton b, Qt::MouseButtons, Qt::KeyboardModifiers m, int x, int y) {
                             button = b, mods = m, at = QPoint(x, y);
                         });
    }
    Qt::MouseButton button = Qt::NoButton;
    Qt::KeyboardModifiers mods;
    QPoint at{-1, -1};
};

QPoint ClickAt(TPImage& image, Recorder& rec, QPoint p) {
    Send(image, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::NoModifier);
    return rec.at;
}

QRgb Shown(QWidget& w, int x, int y) {
    return w.grab().toImage().pixel(x, y);
}

} // namespace

TEST(TextileImageWidget, ClickReportsBitmapCoordinatesAtEveryZoom) {
    TPTextileImage image;
    image.resize(100, 80);
    ASSERT_TRUE(image.Bitmap()->Allocate(4000, 4000, nullptr, 8));
    image.CoordinationTransfer = true;
    Recorder rec(image);
    image.SetPosition(30, 40);
    EXPECT_EQ(ClickAt(image, rec, QPoint(7, 9)), QPoint(37, 49));
    image.SetZoom(16, 1, QPoint(0, 0));
    image.SetPosition(30, 40);
    EXPECT_EQ(ClickAt(image, rec, QPoint(40, 20)), QPoint(32, 41));
    image.SetZoom(1, 16, QPoint(0, 0));
    image.SetPosition(320, 480);
    EXPECT_EQ(ClickAt(image, rec, QPoint(7, 9)), QPoint(432, 624));
    Send(image, QEvent::MouseButtonPress, QPoint(1, 1), Qt::RightButton, Qt::ShiftModifier);
    EXPECT_EQ(rec.button, Qt::RightButton);
    EXPECT_EQ(rec.mods, Qt::ShiftModifier);
    image.CoordinationTransfer = false;
    EXPECT_EQ(ClickAt(image, rec, QPoint(7, 9)), QPoint(7, 9));
}

TEST(TextileImageWidget, RepeatedViewReportsPlanePointsForClicksMovesAndReleases) {
    TPTextileImage image;
    image.resize(300, 100);
    ASSERT_TRUE(image.Bitmap()->Allocate(100, 40, nullptr, 8));
    image.SetRepeat(true);
    image.CoordinationTransfer = true;
    QPoint moved, released;
    QObject::connect(&image, &TPImage::MouseMove,
                     [&](Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
                         moved = {x, y};
                     });
    QObject::connect(&image, &TPImage::MouseUp,
                     [&](Qt::MouseButton, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
                         released = {x, y};
                     });
    Recorder rec(image);
    EXPECT_EQ(ClickAt(image, rec, QPoint(250, 85)), QPoint(250, 85));
    Send(image, QEvent::MouseMove, QPoint(120, 41), Qt::NoButton, Qt::NoModifier);
    EXPECT_EQ(moved, QPoint(120, 41));
    Send(image, QEvent::MouseButtonRelease, QPoint(-1, 0), Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(released, QPoint(-1, 0));
    EXPECT_EQ(image.View().CanvasToBitmap(released), QPoint(99, 0));
}

TEST(TextileImageWidget, GrabShowsThePictureAtEveryZoom) {
    TPTextileImage image;
    image.resize(40, 40);
    image.SetColor(kRedRef);
    ASSERT_TRUE(MakeIndexed(*image.Bitmap(), {"ab", "cd"}));
    image.SetZoom(16, 1, QPoint(0, 0));
    QImage shown = image.grab().toImage();
    EXPECT_EQ(shown.pixel(5, 5), Grey('a'));
    EXPECT_EQ(shown.pixel(20, 5), Grey('b'));
    EXPECT_EQ(shown.pixel(31, 31), Grey('d'));
    EXPECT_EQ(shown.pixel(35, 5), qRgb(255, 0, 0));
    image.SetZoom(1, 1, QPoint(0, 0));
    shown = image.grab().toImage();
    EXPECT_EQ(shown.pixel(1, 1), Grey('d'));
    EXPECT_EQ(shown.pixel(2, 0), qRgb(255, 0, 0));

    // 1:16 on a 24-bit picture: canvas pixel (1, 1) shows bitmap pixel (16, 16).
    ASSERT_TRUE(image.Bitmap()->Allocate(64, 64, nullptr, 24));
    image.Bitmap()->SetPixel(16, 16, MakeColorRef(10, 20, 30));
    image.Bitmap()->SetPixel(17, 16, MakeColorRef(90, 90, 90));
    image.SetZoom(1, 16, QPoint(0, 0));
    shown = image.grab().toImage();
    EXPECT_EQ(shown.pixel(1, 1), qRgb(10, 20, 30));
    EXPECT_EQ(shown.pixel(2, 1), qRgb(0, 0, 0));
    EXPECT_EQ(shown.pixel(4, 0), qRgb(255, 0, 0));
}

TEST(TextileImageWidget, PaintEventsDrawOnThePictureBeforeItIsShown) {
    TPTextileImage image;
    image.resize(20, 20);
    ASSERT_TRUE(MakeIndexed(*image.Bitmap(), {"ab", "cd"}));
    image.SetZoom(4, 1, QPoint(0, 0));
    std::string order;
    image.OnPaintZoom = [&](TPImage*, QPainter& p) {
        order += 'z';
        p.fillRect(QRect(0, 0, 2, 2), Qt::green);
        p.fillRect(QRect(9, 0, 10, 1), Qt::green); // clipped to the 8 x 8 picture
    };
    image.OnPaintRange = [&](TPImage*, QPainter&, bool isRect, int, int) { order += isRect ? 'R' : 'r'; };
    image.OnPaint = [&](TPImage*) { order += 'p'; };
    const QImage shown = image.grab().toImage();
    EXPECT_EQ(order, "zrp");
    EXPECT_EQ(shown.pixel(1, 1), qRgb(0, 255, 0));
    EXPECT_EQ(shown.pixel(2, 2), Grey('a'));
    EXPECT_EQ(shown.pixel(10, 0), qRgb(240, 240, 240));
}

TEST(TextileImageWidget, RowWritesShowOnlyAfterTheRectangleIsRepainted) {
    TPTextileImage image;
    image.resize(40, 40);
    ASSERT_TRUE(MakeIndexed(*image.Bitmap(), {"aaaa", "aaaa", "aaaa", "aaaa"}));
    image.SetZoom(4, 1, QPoint(0, 0));
    EXPECT_EQ(Shown(image, 9, 9), Grey('a'));
    image.Bitmap()->ScanLine(2)[2] = 'z';
    image.Bitmap()->ScanLine(0)[0] = 'y';
    EXPECT_EQ(Shown(image, 9, 9), Grey('a'));
    image.RectPaint(QRect(2, 2, 1, 1));
    const QImage shown = image.grab().toImage();
    EXPECT_EQ(shown.pixel(9, 9), Grey('z'));
    EXPECT_EQ(shown.pixel(0, 0), Grey('a')); // outside the repainted rectangle
    image.Paint();
    EXPECT_EQ(Shown(image, 0, 0), Grey('y'));
}

TEST(TextileImageWidget, ReallocatingThePictureRepaintsTheView) {
    TPTextileImage image;
    image.resize(20, 20);
    ASSERT_TRUE(MakeIndexed(*image.Bitmap(), {"ab"}));
    EXPECT_EQ(Shown(image, 1, 0), Grey('b'));
    ASSERT_TRUE(MakeIndexed(*image.Bitmap(), {"cd"}));
    EXPECT_EQ(Shown(image, 1, 0), Grey('d'));
}

TEST(TextileImageWidget, RectEditPaintDrawsOnThePartialImageAtItsBitmapOrigin) {
    TPTextileImage image;
    image.resize(40, 40);
    ASSERT_TRUE(MakeIndexed(*image.Bitmap(), std::vector<std::string>(10, std::string(10, 'a'))));
    image.SetZoom(4, 1, QPoint(0, 0));
    image.grab();
    QPoint origin(-1, -1), rangeAt(-1, -1);
    image.OnPaintRange = [&](TPImage*, QPainter&, bool isRect, int x, int y) {
        if (isRect) rangeAt = QPoint(x, y);
    };
    image.RectEditPaint(QRect(2, 1, 3, 2), [&](QPainter& p, int x, int y) {
        origin = QPoint(x, y);
        p.fillRect(QRect(0, 0, 4, 4), Qt::green);
    });
    EXPECT_EQ(origin, QPoint(2, 1));
    EXPECT_EQ(rangeAt, QPoint(2, 1));
    const QImage shown = image.grab().toImage();
    EXPECT_EQ(shown.pixel(8, 4), qRgb(0, 255, 0));
    EXPECT_EQ(shown.pixel(12, 8), Grey('a'));
    EXPECT_EQ(shown.pixel(7, 4), Grey('a'));
}

TEST(TextileImageWidget, OverlayLeavesThePictureAlone) {
    TPTextileImage image;
    image.resize(20, 20);
    image.SetColor(kRedRef);
    ASSERT_TRUE(MakeIndexed(*image.Bitmap(), {"ab", "cd"}));
    image.SetZoom(5, 1, QPoint(0, 0));
    image.PaintImageEdit([](TPImage*, QPainter& p) { p.fillRect(QRect(0, 0, 100, 100), Qt::blue); });
    const QImage shown = image.grab().toImage();
    EXPECT_EQ(shown.pixel(9, 9), qRgb(0, 0, 255));
    EXPECT_EQ(shown.pixel(15, 15), qRgb(255, 0, 0)); // outside the picture area
    EXPECT_EQ(image.Bitmap()->GetPixel(1, 1), uint32_t('d'));
}

TEST(TextileImageWidget, OutlineMarchesAlongTheRegionEdge) {
    TPTextileImage image;
    image.resize(64, 64);
    ASSERT_TRUE(MakeIndexed(*image.Bitmap(), std::vector<std::string>(8, std::string(8, 'a'))));
    image.SetZoom(8, 1, QPoint(0, 0));
    image.OutlineBitmapRgn(); // no region: nothing happens
    EXPECT_EQ(image.View().FramePhase, 0);
    ASSERT_TRUE(image.Bitmap()->SetRegionRect(L_RGN_SET, QRect(1, 1, 3, 3)));
    image.OutlineBitmapRgn();
    image.OutlineBitmapRgn();
    EXPECT_EQ(image.View().FramePhase, 2);
    const QImage pattern = FramePattern(2);
    QImage shown = image.grab().toImage();
    EXPECT_EQ(shown.pixel(8, 13), pattern.pixel(0, 13 % 8));
    EXPECT_EQ(shown.pixel(31, 20), pattern.pixel(31 % 8, 20 % 8));
    EXPECT_EQ(shown.pixel(9, 13), Grey('a'));
    // While a drawing context is out, the outline waits.
    TBitmapDC* dc = image.Bitmap()->GetDC();
    ASSERT_NE(dc, nullptr);
    image.OutlineBitmapRgn();
    EXPECT_EQ(image.View().FramePhase, 2);
    image.Bitmap()->ReleaseDC(dc);
    for (int i = 0; i < 6; ++i)
        image.OutlineBitmapRgn();
    EXPECT_EQ(image.View().FramePhase, 0);
}

TEST(TextileImageWidget, PositionEventsAndFollowerGridSetters) {
    TPTextileImage main;
    main.resize(100, 100);
    ASSERT_TRUE(main.Bitmap()->Allocate(1000, 1000, nullptr, 8));
    int events = 0;
    main.OnPositionChange = [&](TPImage*) { ++events; };
    main.SetPositionX(50);
    main.SetPositionX(50); // unchanged, but this control always reports
    EXPECT_EQ(events, 2);
    auto* follower = new TPTextileImage;
    follower->SetParentImage(&main);
    main.SetZoom(1, 4, QPoint(0, 0));
    EXPECT_EQ(follower->GetZoomOut(), 4);
    follower->SetGrid(true);
    EXPECT_FALSE(follower->View().GridSettings.Grid);
    main.SetParentImage(follower); // would close a cycle
    EXPECT_EQ(main.ParentImage(), nullptr);
    delete follower;
    TPTextileImage other;
    {
        TPTextileImage parent;
        parent.SetZoom(3, 1);
        other.SetParentImage(&parent);
        EXPECT_EQ(other.GetZoomIn(), 3);
    }
    EXPECT_EQ(other.ParentImage(), nullptr);
    EXPECT_EQ(other.GetZoomIn(), 1);
}

TEST(SelectImageWidget, BottomAnchoredOverlayFollowsTheMainViewsZoom) {
    QWidget window;
    window.resize(200, 200);
    auto* main = new TPTextileImage(&window);
    main->resize(200, 200);
    ASSERT_TRUE(main->Bitmap()->Allocate(500, 500, nullptr, 8));
    auto* overlay = new TPSelectImage(&window);
    overlay->resize(50, 100);
    overlay->SetParentImage(main);
    ASSERT_TRUE(MakeIndexed(*overlay->Bitmap(), std::vector<std::string>(20, std::string(10, 'p'))));
    overlay->Bitmap()->SetPixel(0, 0, 'q');
    overlay->Bitmap()->BottomUp = true;
    main->SetZoom(2, 1, QPoint(0, 0));
    overlay->PropertyChange();
    EXPECT_EQ(overlay->YOffset(), 60);
    overlay->CoordinationTransfer = true;
    Recorder rec(*overlay);
    EXPECT_EQ(ClickAt(*overlay, rec, QPoint(5, 61)), QPoint(2, 0));
    overlay->SetColorEnable(true);
    overlay->SetColor(kRedRef);
    const QImage shown = overlay->grab().toImage();
    EXPECT_EQ(shown.pixel(1, 61), Grey('q'));
    EXPECT_EQ(shown.pixel(2, 61), Grey('p'));
    EXPECT_EQ(shown.pixel(1, 59), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(45, 70), qRgb(255, 0, 0));
}

TEST(StretchImageWidget, ShowsTheWholePictureOrTheOwnersDrawing) {
    TOrvaneBitmap mine;
    ASSERT_TRUE(MakeIndexed(mine, {"ab", "cd"}));
    TPStretchImage preview;
    preview.resize(4, 4);
    int ends = 0;
    preview.OnPaintEnd = [&](TPStretchImage*) { ++ends; };
    preview.SetBitmap(&mine);
    EXPECT_EQ(Shown(preview, 3, 3), Grey('d'));
    EXPECT_EQ(Shown(preview, 1, 0), Grey('a'));
    EXPECT_EQ(ends, 2);
    preview.SetZoom(3, 2);
    QPoint zoom;
    preview.OnDraw = [&](QPainter& p, int zi, int zo) {
        zoom = QPoint(zi, zo);
        p.fillRect(QRect(0, 0, 4, 4), Qt::green);
    };
    EXPECT_EQ(Shown(preview, 0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(zoom, QPoint(3, 2));
    preview.OnDraw = nullptr;
    preview.SetBitmap(nullptr);
    EXPECT_TRUE(preview.OwnsBitmap());
    EXPECT_EQ(Shown(preview, 2, 2), qRgb(240, 240, 240));
    EXPECT_TRUE(mine.Allocated());
}
