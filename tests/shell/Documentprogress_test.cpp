// Long operations on a design report progress and stop where asked, leaving the
// design and its file exactly as they were.
#include "platform/Effects.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "support/Draw.h"
#include "tools/Repeat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A listener that stops at its stopAt-th report (1 = the first) and counts them.
struct TStopper {
    int StopAt;
    int Reports = 0;
    TProgressFn Fn() {
        return [this](int64_t done, int64_t total) {
            EXPECT_GE(done, 0);
            EXPECT_LE(done, total);
            return ++Reports != StopAt;
        };
    }
};

class DocumentProgress : public ::testing::Test {
  protected:
    void SetUp() override {
        for (TDocument* d : {&design, &other}) {
            TPaper p;
            p.dpi = 160;
            SetPaper(p, kPaperCustom, 40, 30);
            ASSERT_EQ(d->NewCanvas(p, d == &design ? 24 : 8, TCurrentColour::OfIndex(4)), 0u);
            d->AttachUndo();
        }
        Draw(design, [](TOrvaneBitmap& b) {
            for (int y = 0; y < b.Height; ++y)
                for (int x = 0; x < b.Width; ++x)
                    b.SetPixel(x, y, MakeColorRef(uint8_t(x * 6), uint8_t(y * 8), uint8_t(x ^ y)));
        });
        ASSERT_EQ(design.Save(dir.path(), "cloth.tfc", 2, 0), 0u);
        design.SetModified(false);
    }
    QTemporaryDir dir;
    TDocument design, other;
};

} // namespace

TEST_F(DocumentProgress, AStopAtAnyReportLeavesDesignAndFileAsTheyWere) {
    struct Operation {
        const char* Name;
        QString File; // the file the operation reads or writes
        TDocument* Target;
        std::function<uint32_t(const TProgressFn&)> Run;
    };
    const Operation operations[] = {
        {"open", "cloth.tfc", &other,
         [&](const TProgressFn& p) { return other.Open(dir.path(), "cloth.tfc", 0, 0, nullptr, p); }},
        {"save", "cloth.tfc", &design,
         [&](const TProgressFn& p) { return design.Save(dir.path(), "cloth.tfc", 2, 0, false, p); }},
        {"export", "cloth.png", &design,
         [&](const TProgressFn& p) { return design.Save(dir.path(), "cloth.png", 0, 0, false, p); }},
        {"repeat", "cloth.tfc", &design,
         [&](const TProgressFn& p) {
             TRepeatSettings s;
             s.Tile = QRect(3, 2, 7, 5);
             return ApplyRepeat(design, s, design.Bounds(), p);
         }},
        {"effect", "cloth.tfc", &design,
         [&](const TProgressFn& p) { return design.ApplyEffect(EffectMosaic, 4, 0, p); }},
    };
    for (const Operation& op : operations) {
        const QString file = QDir(dir.path()).filePath(op.File);
        const QByteArray bytes = Bytes(file);
        const std::vector<uint32_t> pixels = DocumentPixels(*op.Target);
        const QString name = op.Target->FileName();
        const int depth = op.Target->BitsPerPixel();
        // Stop at the first report, then the second, ... until the operation runs through.
        int stopAt = 1;
        for (; stopAt < 10; ++stopAt) {
            TStopper stopper{stopAt};
            const uint32_t code = op.Run(stopper.Fn());
            if (stopper.Reports < stopAt) {
                EXPECT_EQ(code, 0u) << op.Name;
                break;
            }
            EXPECT_EQ(code, ErrorCode::Cancelled) << op.Name << " stopped at " << stopAt;
            EXPECT_EQ(Bytes(file), bytes) << op.Name << " stopped at " << stopAt;
            EXPECT_EQ(DocumentPixels(*op.Target), pixels) << op.Name << " stopped at " << stopAt;
            EXPECT_EQ(op.Target->FileName(), name) << op.Name;
            EXPECT_EQ(op.Target->BitsPerPixel(), depth) << op.Name;
            EXPECT_FALSE(op.Target->Modified()) << op.Name;
        }
        EXPECT_GE(stopAt, 2) << op.Name << ": no report to stop at";
        op.Target->SetModified(false);
    }
    EXPECT_EQ(other.BitsPerPixel(), 24); // the open ran through at last
}
