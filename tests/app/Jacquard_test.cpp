// The Jacquard window on the real tool palette: a twill chosen in the weave
// browser joins the list and is applied by clicks in each mode, then undone;
// the list comes back from Jacquard.ini.
#include "app/Mainwindow.h"
#include "raster/Tptextileimage_f.h"
#include "shell/Exception.h"
#include "shell/Mainmenu.h"
#include "textile/Jacquard.h"
#include "textile/Jacquard_f.h"
#include "textile/Texture_f.h"

#include <QAction>
#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

class JacquardWindow : public MainWindowTest {
  protected:
    void TearDown() override {
        SetErrorPresenter(StderrPresenter);
        MainWindowTest::TearDown();
    }
    // A '.' ground split by a column of 'A' at x = 32, colours in use up to 'Z'.
    TMainImageForm* Design() {
        TMainImageForm* doc = Document(8);
        std::vector<std::string> art(48, std::string(64, '.'));
        for (std::string& row : art)
            row[32] = 'A';
        OpenArt(doc->Document(), art, 8, 'Z');
        doc->iMainImage->SetZoom(1, 1);
        doc->iMainImage->SetPosition(0, 0);
        return doc;
    }
    TJacquardForm* Open() {
        QTest::mouseClick(main->MainMenu()->Button(ToolJacquard), Qt::LeftButton);
        return qobject_cast<TJacquardForm*>(main->MainMenu()->ToolWindow());
    }
};

} // namespace

TEST_F(JacquardWindow, ATwillFromTheBrowserIsAppliedInEachModeAndUndone) {
    QStringList messages;
    SetErrorPresenter([&messages](TSeverity, const QString& text, int) {
        messages << text;
        return 0;
    });
    struct TCase {
        int Mode;
        int Raised; // the value of a raised cell on '.'
        bool Right; // the area right of the column changes too
        int UsedAfter;
    };
    const std::vector<TCase> cases = {
        {JacquardSelectColor, 'Z' + 1, false, 'Z' + 1},
        {JacquardInArea, 'Z' + 1, true, 'Z' + 1},
        {JacquardEffect, '.' + 'Z' - 1, true, 2 * 'Z' - 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Mode);
        TMainImageForm* doc = Design();
        TDocument& design = doc->Document();
        TJacquardForm* form = Open();
        ASSERT_NE(form, nullptr);
        if (c.Mode == JacquardSelectColor) {
            EXPECT_EQ(form->lbList->count(), 0);
            QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(5, 5));
            EXPECT_EQ(messages.size(), 1); // the list is empty
            form->seZoom->setValue(2);
            QTest::mouseClick(form->sbTexture, Qt::LeftButton);
            ASSERT_TRUE(form->Browser()->isVisible());
            form->Browser()->ShowGroup(0, 1, 1); // twills of repeat 4
            form->Browser()->ChooseWeave(2);     // 3/1 Z
        }
        ASSERT_EQ(form->lbList->count(), 1); // from Jacquard.ini after the first round
        EXPECT_EQ(form->lbList->item(0)->text(), "F: <<4>>   4  x  4");
        EXPECT_EQ(form->seZoom->value(), 2);
        const TTexBitData weave = form->Browser()->Library().Foundation[1][1].Weaves[2];
        QTest::mouseClick(form->sbMode[c.Mode], Qt::LeftButton);
        for (int pass = 0; pass < 2; ++pass)
            QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(5, 5));
        int wrong = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool raised = weave.At((x % 8) / 2, ((47 - y) % 8) / 2);
                const int want = x == 32 ? 'A' : raised && (x < 32 || c.Right) ? c.Raised : '.';
                wrong += int(design.Picture().GetPixel(x, y)) != want;
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(design.Palette().UseColor, c.UsedAfter);
        main->EUndoItem->trigger(); // one undo takes the two clicks back
        int left = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                left += int(design.Picture().GetPixel(x, y)) != (x == 32 ? 'A' : '.');
        EXPECT_EQ(left, 0);
        EXPECT_EQ(design.Palette().UseColor, 'Z');
        QTest::mouseClick(main->MainMenu()->Button(ToolJacquard), Qt::LeftButton); // closes: Jacquard.ini
    }
    EXPECT_EQ(messages.size(), 1) << messages.join(" | ").toStdString();

    // The entry's weave out to a WIF file and back in from the File menu as a new entry.
    Design();
    TJacquardForm* form = Open();
    ASSERT_NE(form, nullptr);
    QTemporaryDir dir;
    form->OnChooseFile = [&](const QString&, bool) { return dir.filePath("twill.wif"); };
    QTest::mouseClick(form->sbWif, Qt::LeftButton);
    QAction* import = nullptr;
    for (QAction* a : form->sbFile->menu()->actions())
        if (a->text() == "Import WIF") import = a;
    ASSERT_NE(import, nullptr);
    import->trigger();
    ASSERT_EQ(form->lbList->count(), 2);
    EXPECT_EQ(form->lbList->item(1)->text(), "S: <<1>>   twill");
    EXPECT_EQ(messages.size(), 1) << messages.join(" | ").toStdString();
}

// A screenshot for looking at, not a check: the weave browser beside a design
// with a twill laid over its ground in Effect mode.
TEST_F(JacquardWindow, ScreenshotOfAJacquardDesign) {
    const QString out = qEnvironmentVariable("VELMORA_SCREENSHOT_JACQUARD");
    if (out.isEmpty()) GTEST_SKIP() << "set VELMORA_SCREENSHOT_JACQUARD to take the screenshot";
    main->setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    TMainImageForm* doc = Design();
    doc->iMainImage->SetZoom(6, 1);
    TJacquardForm* form = Open();
    ASSERT_NE(form, nullptr);
    doc->parentWidget()->setGeometry(form->window()->frameGeometry().right() + 10, 0, 420, 340);
    form->seZoom->setValue(2);
    form->Browser()->show();
    form->Browser()->setGeometry(900, 120, 520, 640);
    form->Browser()->seZoom->setValue(10);
    form->Browser()->ShowGroup(0, 1, 5); // the 8-end twills
    form->Browser()->ChooseWeave(2);
    QTest::mouseClick(form->sbMode[JacquardEffect], Qt::LeftButton);
    QTest::mouseClick(doc->iMainImage, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::qWait(800);
    ASSERT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(out));
}
