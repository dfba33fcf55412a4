// Stripe files: round trip, palette merging, the older layout and damaged files;
// the list Stripe.ini keeps.
#include "shell/Exception.h"
#include "support/Files.h"
#include "textile/Stripefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TStripe S(int colour, int method, int repeat, int length) {
    return TStripe{uint8_t(colour), uint8_t(method), int16_t(repeat), int16_t(length), false};
}

bool Same(const TStripeList& a, const TStripeList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TStripe& x, const TStripe& y) {
        return x.Color == y.Color && x.Method == y.Method && x.Repeat == y.Repeat && x.Length == y.Length;
    });
}

// A palette using count entries, entry i a colour of its own.
TPalette Used(int count) {
    TPalette p;
    for (int i = 0; i < 256; ++i)
        p[i].SetRGB(i, 255 - i, i / 2);
    p.UseColor = uint16_t(count);
    return p;
}

void Put16(QByteArray& b, int v) {
    b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void Put32(QByteArray& b, int v) {
    Put16(b, v & 0xFFFF);
    Put16(b, (v >> 16) & 0xFFFF);
}

class StripeFile : public ::testing::Test {
  protected:
    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
    const TStripeList List = {S(2, StripeReverse, 2, 5), S(4, StripeCenter, 1, 3), S(3, 0, 7, 1)};
};

} // namespace

TEST_F(StripeFile, RoundTripShiftsColoursPastTheUsedEntries) {
    const TPalette file = Used(4);
    ASSERT_EQ(WriteStripeFile(Path("a.stp"), file, List), 0u);
    TPalette doc = Used(20);
    TStripeList read;
    ASSERT_EQ(ReadStripeFile(Path("a.stp"), doc, read), 0u);
    ASSERT_EQ(read.size(), List.size());
    for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].Color, List[i].Color + 21);
        EXPECT_EQ(doc[read[i].Color].ColorRef(), file[List[i].Color].ColorRef());
        EXPECT_EQ(read[i].Method, List[i].Method);
        EXPECT_EQ(read[i].Repeat, List[i].Repeat);
        EXPECT_EQ(read[i].Length, List[i].Length);
    }
    EXPECT_EQ(doc.UseColor, 25);
    EXPECT_EQ(doc[20].ColorRef(), Used(0)[20].ColorRef()); // the used entries stay
}

TEST_F(StripeFile, TooManyColoursFailsAndLeavesListAndPaletteAlone) {
    ASSERT_EQ(WriteStripeFile(Path("a.stp"), Used(15), List), 0u);
    TPalette doc = Used(240);
    const TPalette before = doc;
    TStripeList read = {S(9, 0, 1, 1)};
    EXPECT_EQ(ReadStripeFile(Path("a.stp"), doc, read), ErrorCode::PaletteFull);
    EXPECT_TRUE(Same(read, {S(9, 0, 1, 1)}));
    for (int i = 0; i < 256; ++i)
        EXPECT_TRUE(doc[i] == before[i]);
    EXPECT_EQ(doc.UseColor, 240);
}

TEST_F(StripeFile, OlderLayoutSkipsTwoBytesAfterEachRecordAndShiftsByTheUsedCount) {
    // A 'T' design of version 200: type letter and version, 8000 bytes of
    // thumbnail, used count, 256 ten-byte palette records, flags, dpi, size, raw pixels.
    QByteArray b("VT");
    Put16(b, 200);
    b.append(8000, '\0');
    Put16(b, 3);
    for (int i = 0; i < 256; ++i) {
        b.append(6, '\0');
        b.append(char(i)).append(char(100)).append(char(200)).append('\0'); // blue, green, red
    }
    Put32(b, 0);
    Put16(b, 160);
    Put32(b, 2);
    Put32(b, 1);
    b.append(char(1)).append(char(2));
    Put16(b, 2); // two stripes, each with two bytes to skip
    b.append(char(1)).append(char(StripeReverse));
    Put16(b, 2);
    Put16(b, 4);
    b.append("xx", 2);
    b.append(char(3)).append(char(StripeCenter));
    Put16(b, 1);
    Put16(b, 6);
    b.append("yy", 2);
    WriteBytes(Path("old.stp"), b);
    TPalette doc = Used(10);
    const TColorData kept = doc[10];
    TStripeList read;
    ASSERT_EQ(ReadStripeFile(Path("old.stp"), doc, read), 0u);
    EXPECT_TRUE(Same(read, {S(11, StripeReverse, 2, 4), S(13, StripeCenter, 1, 6)}));
    EXPECT_EQ(doc[11].Blue(), 1);
    EXPECT_EQ(doc[13].Blue(), 3);
    EXPECT_TRUE(doc[10] == kept);
    EXPECT_EQ(doc.UseColor, 13);
}

TEST_F(StripeFile, DamagedStripeBlocksAreRefusedBeforeAnythingChanges) {
    ASSERT_EQ(WriteStripeFile(Path("a.stp"), Used(4), List), 0u);
    QFile f(Path("a.stp"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    const QByteArray design = whole.left(whole.size() - 2 - 6 * int(List.size()));
    auto record = [](int colour, int method, int repeat, int length) {
        QByteArray r;
        r.append(char(colour)).append(char(method));
        Put16(r, repeat);
        Put16(r, length);
        return r;
    };
    auto count = [](int n) {
        QByteArray r;
        Put16(r, n);
        return r;
    };
    struct TCase {
        const char* What;
        QByteArray Tail;
        uint32_t Want;
    };
    const std::vector<TCase> cases = {
        {"no count", {}, ErrorCode::DamagedFile},
        {"cut inside a record", count(2) + record(2, 0, 1, 1) + "\x01", ErrorCode::DamagedFile},
        {"absurd count", count(30000) + record(2, 0, 1, 1), ErrorCode::BadFile},
        {"more stripes than bytes", count(500) + record(2, 0, 1, 1), ErrorCode::DamagedFile},
        {"negative count", count(-1), ErrorCode::BadFile},
        {"zero length", count(1) + record(2, 0, 1, 0), ErrorCode::BadFile},
        {"negative repeat", count(1) + record(2, 0, -3, 4), ErrorCode::BadFile},
        {"unknown method", count(1) + record(2, 7, 1, 4), ErrorCode::BadFile},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        WriteBytes(Path("bad.stp"), design + c.Tail);
        TPalette doc = Used(10);
        TStripeList read = {S(9, 0, 1, 1)};
        EXPECT_EQ(ReadStripeFile(Path("bad.stp"), doc, read), c.Want);
        EXPECT_TRUE(Same(read, {S(9, 0, 1, 1)}));
        EXPECT_EQ(doc.UseColor, 10);
    }
    TStripeList none;
    TPalette doc = Used(10);
    EXPECT_EQ(ReadStripeFile(Path("missing.stp"), doc, none), ErrorCode::CannotOpenFile);
}

TEST_F(StripeFile, IniKeepsTheListAndHoldsValuesToWhatAStripeCanBe) {
    TStripe pending = S(0, 0, 1, 1);
    pending.Pending = true;
    TStripeList list = List;
    list.insert(list.begin() + 1, pending);
    ASSERT_TRUE(WriteStripeIni(Path("Stripe.ini"), list));
    EXPECT_TRUE(Same(ReadStripeIni(Path("Stripe.ini")), List));
    ASSERT_TRUE(WriteStripeIni(Path("Stripe.ini"), {S(5, 0, 1, 1)})); // fewer: the old sections go
    EXPECT_TRUE(Same(ReadStripeIni(Path("Stripe.ini")), {S(5, 0, 1, 1)}));
    WriteBytes(Path("bad.ini"), "[Count]\ncnt=1\n[0]\nColor=999\nMethod=9\nRepetition=-4\nLength=0\n");
    EXPECT_TRUE(Same(ReadStripeIni(Path("bad.ini")), {S(255, StripeCenter, 1, 1)}));
}
