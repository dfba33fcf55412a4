#include "colour/Palette_f.h"
#include "colour/Pcolorgrid_f.h"
#include "shell/Common.h"
#include "shell/Tdocument.h"
#include "tools/Tooldispatch.h"

#include <QApplication>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {
// A palette whose drawing entries all differ: index i is (i, 255 - i, 3 * i).
TPalette Numbered() {
    TPalette pal;
    for (int i = 0; i < 256; ++i)
        pal[i].SetRGB(i, 255 - i, (3 * i) & 0xFF);
    pal.UseColor = 20;
    return pal;
}

// Centre of grid cell k of the palette window's 7 x 4 grid.
QPoint CellCentre(const TDIB256Palette& grid, int k) {
    const QRect r = grid.Layout().CellRect(k);
    return r.center();
}

struct PaletteWindow : ::testing::Test {
    void SetUp() override {
        qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
        LoadConfiguration();
        owner = std::make_unique<TPaletteForm>(); // texts are read once the settings are known
        TPaper paper;
        SetPaper(paper, kPaperCustom, 4, 4);
        ASSERT_EQ(doc.NewCanvas(paper, 8, TCurrentColour()), 0u);
        Set([](TPalette& p) { p = Numbered(); });
        owner->SetDispatch(&dispatch);
        owner->AttachDocument(&doc);
        QObject::connect(&doc, &TDocument::PaletteChanged, [this] { ++applied; });
    }
    void TearDown() override { qunsetenv("VELMORA_HOME"); }
    // Changes the document's palette behind the window's back.
    template <class F> void Set(F f) {
        doc.EditPalette([&](TPalette& p) {
            f(p);
            return true;
        });
    }
    TDocument doc;
    const TPalette& pal = doc.Palette();
    TToolDispatch dispatch;
    std::unique_ptr<TPaletteForm> owner;
    int applied = 0;
    TPaletteForm& form_() { return *owner; }
};
} // namespace

TEST_F(PaletteWindow, ShowsTheTextsAndTheSevenByFourGrid) {
    TPaletteForm& form = form_();
    EXPECT_EQ(form.windowTitle(), "Palette");
    EXPECT_EQ(form.sbCMY->toolTip(), "CMY");
    EXPECT_EQ(form.sbUndo->text(), "Undo");
    EXPECT_EQ(form.DIB256Palette->XSquares(), 7);
    EXPECT_EQ(form.DIB256Palette->YSquares(), 4);
    EXPECT_EQ(form.DIB256Palette->Layout().ScrollMax(), 32);
    EXPECT_TRUE(form.windowFlags() & Qt::Tool);
    EXPECT_FALSE(form.sbUndo->isEnabled());
}

TEST_F(PaletteWindow, ClickingACellSelectsItAndSetsTheCurrentColour) {
    TPaletteForm& form = form_();
    dispatch.SetColour(TCurrentColour::OfIndex(2));
    QTest::mouseClick(form.DIB256Palette, Qt::LeftButton, {}, CellCentre(*form.DIB256Palette, 9));
    EXPECT_EQ(form.DIB256Palette->ChoiceIndex(), 11);
    EXPECT_EQ(dispatch.Colour().Index, 11);
    EXPECT_EQ(form.FGColor->Color(), pal[11].ColorRef());
    EXPECT_EQ(form.FGColor->Text(), "10\n19");
    form.BGColor->OnClick();
    EXPECT_EQ(dispatch.Colour().Index, 1);
    form.DIB256Palette->SetChoiceIndex(200); // above the used count: raises it
    EXPECT_EQ(pal.UseColor, 200);
    EXPECT_EQ(form.FGColor->Text(), "199\n199");
    const QPointF at = CellCentre(*form.DIB256Palette, 4); // the window is not shown: send the move itself
    QMouseEvent move(QEvent::MouseMove, at, form.DIB256Palette->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(form.DIB256Palette, &move);
    EXPECT_EQ(form.DIB256Palette->CursorIndex(), form.DIB256Palette->Layout().FirstIndex() + 4);
    EXPECT_EQ(form.CursorColor->Color(), pal[form.DIB256Palette->CursorIndex()].ColorRef());
    EXPECT_EQ(form.CursorColor->Text(), QString::number(form.DIB256Palette->CursorIndex() - 1));
}

TEST_F(PaletteWindow, CMYEditSetsThePlainColourAndAppliesThePalette) {
    TPaletteForm& form = form_();
    form.DIB256Palette->SetChoiceIndex(5);
    form.sbCMY->click();
    EXPECT_EQ(form.Mode(), ModeCMY);
    EXPECT_TRUE(form.pnCMY->isVisibleTo(&form));
    EXPECT_EQ(form.seCyan->value(), 250); // 255 - red 5
    EXPECT_EQ(applied, 0);                // loading the panel is no edit
    Set([](TPalette& p) { p[5].SetLibrary(KindVMStandard, 3, 4, 5, 250, 15); });
    applied = 0;
    const TColorData before = pal[5];
    form.seCyan->setValue(255);
    EXPECT_EQ(pal[5].Red(), 0);
    EXPECT_EQ(pal[5].Kind(), KindNormal);
    EXPECT_EQ(form.gaCyan->value(), 255);
    EXPECT_EQ(applied, 1);
    form.seMagenta->setValue(0);
    EXPECT_EQ(pal[5].Green(), 255);
    EXPECT_EQ(form.UndoCount(), 1); // saved once per opened panel
    form.sbUndo->click();
    EXPECT_TRUE(pal[5] == before);
    EXPECT_EQ(form.seCyan->value(), 250); // panel reloaded from the restored entry
    EXPECT_FALSE(form.sbUndo->isEnabled());
    form.sbUndo->click(); // empty list: nothing changes
    EXPECT_TRUE(pal[5] == before);
}

TEST_F(PaletteWindow, HLSEditChangesTheEntryAndUndoRestoresEachEntry) {
    TPaletteForm& form = form_();
    form.DIB256Palette->SetChoiceIndex(7);
    form.sbHLS->click();
    EXPECT_EQ(form.Mode(), ModeHLS);
    const TColorData first = pal[7];
    form.seHue->setValue(0);
    form.seLightness->setValue(50);
    form.seSaturation->setValue(100);
    EXPECT_EQ(pal[7].ColorRef(), MakeColorRef(255, 0, 0));
    form.DIB256Palette->SetChoiceIndex(8);
    const TColorData second = pal[8];
    form.seSaturation->setValue(0);
    EXPECT_EQ(pal[8].Red(), pal[8].Blue()); // a grey
    EXPECT_EQ(form.UndoCount(), 2);
    form.sbUndo->click();
    EXPECT_TRUE(pal[8] == second);
    form.sbUndo->click();
    EXPECT_TRUE(pal[7] == first);
    EXPECT_EQ(form.DIB256Palette->ChoiceIndex(), 7);
    form.sbHLS->click(); // lifting the button closes the panel
    EXPECT_EQ(form.Mode(), ModeNone);
    EXPECT_FALSE(form.pnHLS->isVisibleTo(&form));
}

TEST_F(PaletteWindow, ADepthChangeLeavesTheModeAndFullColourOffersNoEditing) {
    TPaletteForm& form = form_();
    form.sbChart->click();
    form.ImageDepthChanged(8); // another 256-colour design: the mode stays
    EXPECT_EQ(form.Mode(), ModeChart);
    form.SpeedButtonProtect->click();
    EXPECT_EQ(form.Mode(), ModeProtection);
    form.ImageDepthChanged(24);
    EXPECT_EQ(form.Mode(), ModeNone);
    for (QToolButton* b : {form.SpeedButtonProtect, form.sbCMY, form.sbHLS})
        EXPECT_FALSE(b->isEnabled());
    form.sbCMY->click();
    EXPECT_EQ(form.Mode(), ModeNone);
    QTest::mouseClick(form.DIB256Palette, Qt::RightButton, {}, CellCentre(*form.DIB256Palette, 3));
    EXPECT_EQ(pal.UseColor, 5);
    EXPECT_EQ(form.FGColor->Text(), "1\n4");
}

TEST(PaletteGridWidget, PaintsCellColoursReservedCellsAndScrolls) {
    TPalette pal = Numbered();
    TDIB256Palette grid;
    grid.SetXSquares(7);
    grid.SetYSquares(4);
    grid.resize(7 * 22 + 16, 4 * 22);
    int colourChanges = 0;
    QObject::connect(&grid, &TDIB256Palette::OnColorChange, [&] { ++colourChanges; });
    grid.SetPalette(&pal);
    grid.OnEdit = [&](const std::function<bool(TPalette&)>& edit) { return edit(pal); };
    EXPECT_EQ(colourChanges, 1);
    QImage img = grid.grab().toImage();
    for (int k : {0, 6, 13, 27})
        EXPECT_EQ(QColor(img.pixel(CellCentre(grid, k))), QColor(2 + k, 253 - k, 3 * (2 + k))) << k;
    grid.SetChoiceIndex(251);
    img = grid.grab().toImage();
    EXPECT_EQ(grid.Layout().FirstIndex(), 226);
    EXPECT_EQ(QColor(img.pixel(CellCentre(grid, 25))), QColor(251, 4, (3 * 251) & 0xFF));
    EXPECT_EQ(QColor(img.pixel(CellCentre(grid, 26))), QColor(Qt::black)); // 252 reserved
    grid.SetEntryRGB(251, 1, 2, 3);
    EXPECT_EQ(colourChanges, 2);
    EXPECT_EQ(QColor(grid.grab().toImage().pixel(CellCentre(grid, 25))), QColor(1, 2, 3));
}

TEST(ColorSelectorWidget, PressOnAMemberRemovesIt) {
    TPalette pal = Numbered();
    TColorSelector sel;
    sel.SetXSquares(7);
    sel.SetYSquares(5);
    sel.resize(7 * 20 + 16, 100);
    EXPECT_FALSE(sel.Add(3)); // no palette yet
    sel.SetPalette(&pal);
    for (int i : {9, 3, 40})
        EXPECT_TRUE(sel.Add(i));
    EXPECT_FALSE(sel.Add(3));
    EXPECT_EQ(QColor(sel.grab().toImage().pixel(sel.Layout().CellRect(1).center())), QColor(3, 252, 9));
    QTest::mouseClick(&sel, Qt::LeftButton, {}, sel.Layout().CellRect(1).center());
    EXPECT_EQ(sel.Count(), 2);
    EXPECT_EQ(sel.IndexAt(1), 40);
    EXPECT_EQ(sel.PositionOf(3), 255);
}

TEST_F(PaletteWindow, LibraryButtonsTakeTheNearestLibraryColourOrThePlainOne) {
    TPaletteForm& form = form_();
    form.DIB256Palette->SetChoiceIndex(30);
    form.SetMode(ModeHLS);
    form.seLightness->setValue(50);
    form.seSaturation->setValue(0); // grey 127
    const int undos = form.UndoCount();
    EXPECT_FALSE(form.btHLSLibrary->isEnabled()); // no library to search yet
    form.btHLSLibrary->click();
    EXPECT_EQ(form.UndoCount(), undos);
    bool askedPantone = false, found = false;
    form.FindLibraryColor = [&](int r, int, int, bool pantone, TColorData& hit) {
        askedPantone = pantone;
        hit.SetLibrary(2, 1005, 9, r, 0, 0);
        return found;
    };
    form.SetMode(ModeHLS);
    form.btHLSLibrary->click(); // no hit in the libraries: the plain colour
    EXPECT_EQ(pal[30].Kind(), KindNormal);
    EXPECT_EQ(pal[30].ColorRef(), MakeColorRef(127, 127, 127));
    EXPECT_EQ(form.UndoCount(), undos + 1);
    found = true;
    form.SetMode(ModeCMY);
    form.btCMYPantone->click();
    EXPECT_TRUE(askedPantone);
    EXPECT_EQ(pal[30].Kind(), 2);
    EXPECT_EQ(pal[30].Page, 1005);
    EXPECT_EQ(pal[30].ColorRef(), MakeColorRef(127, 0, 0));
}
