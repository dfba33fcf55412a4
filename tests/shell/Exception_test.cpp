#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Filetypes.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace {

struct Shown {
    TSeverity Severity;
    QString Text;
    int Buttons;
};

class ReportErrorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        qputenv("VELMORA_HOME", VELMORA_SOURCE_DATA_DIR);
        LoadConfiguration();
        LoadAppTables();
        SetErrorPresenter([this](TSeverity s, const QString& text, int buttons) {
            shown.push_back({s, text, buttons});
            return buttons == MB_YESNO ? int(ID_YES) : int(ID_OK);
        });
    }
    void TearDown() override {
        SetErrorPresenter(StderrPresenter);
        FreeAppTables();
        qunsetenv("VELMORA_HOME");
    }
    std::vector<Shown> shown;
};

const uint32_t kAllCodes[] = {
    0x40000010, 0x40000011, 0x40000012, 0x40000013, 0x40000100, 0x40000101, 0x40000102, 0x40000103,
    0x40000104, 0x40000105, 0x40000106, 0x40000107, 0x40000108, 0x40000109, 0x40000180, 0x40000181,
    0x40000200, 0x40000300, 0x40000400, 0x40000401, 0x40000402, 0x40000500, 0x40000600, 0x40000601,
    0x80000001, 0x80000002, 0x80000003, 0x80000004, 0x80000005, 0x80000006, 0x80000007, 0x80000008,
    0x80000009, 0x80000010, 0x80000011, 0x80000012, 0x80000013, 0x80000014, 0x80000015, 0x80000016,
    0x80000017, 0x80000018, 0x80000019, 0x8000001A, 0x8000001B, 0x8000001C, 0x8000001D, 0x8000001E,
    0x8000001F, 0x80000020, 0x80000021, 0x80000022, 0x80000023, 0x80000024, 0x80000025, 0x80000026,
    0x80000027, 0x80000028, 0x80000029, 0x8000002A, 0x8000002B, 0x80000030, 0x80000031, 0xC0000001,
    0xC0000002, 0xC0000003, 0xC0000010, 0xC0000011, 0xC0000012, 0xC0000013, 0xC0000016};

} // namespace

TEST_F(ReportErrorTest, EveryCodeShowsItsOwnTextWithItsSeverity) {
    std::set<QString> texts;
    for (uint32_t code : kAllCodes) {
        shown.clear();
        ReportError(code);
        ASSERT_EQ(shown.size(), 1u) << std::hex << code;
        EXPECT_FALSE(shown[0].Text.isEmpty()) << std::hex << code;
        EXPECT_EQ(int(shown[0].Severity), int(code >> 30)) << std::hex << code;
        texts.insert(shown[0].Text);
    }
    EXPECT_EQ(texts.size(), std::size(kAllCodes)); // no two codes share a text
}

TEST_F(ReportErrorTest, ExtraGoesOnANewLineAndButtonsReachThePresenter) {
    EXPECT_EQ(ReportError(ErrorCode::BadFile, MB_OK, "design.tex"), ID_OK);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].Text.endsWith("\ndesign.tex"));
    EXPECT_EQ(shown[0].Severity, TSeverity::Error);
    EXPECT_EQ(ReportError(0x80000001, MB_YESNO), ID_YES);
    EXPECT_EQ(shown[1].Buttons, MB_YESNO);
}

TEST_F(ReportErrorTest, SeverityZeroShowsNothingAndUnknownCodesHaveNoText) {
    EXPECT_EQ(ReportError(0x00000104), 0);
    EXPECT_EQ(ReportError(0x3FFFFFFF, MB_YESNO, "x"), 0);
    EXPECT_TRUE(shown.empty());
    ReportError(0x40000999);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Text, "");
    errno = ENOENT;
    EXPECT_FALSE(ErrorText(ErrorCode::SystemError).isEmpty());
}

TEST_F(ReportErrorTest, UnwritableTypeNamesEveryExtensionTheProgramWrites) {
    const QString text = ErrorText(ErrorCode::UnwritableType);
    for (int type = 1; type <= kFileTypeCount; ++type) {
        const QString extension = QString::fromLatin1(FileTypeInfo(type)->Extension);
        const bool named = text.contains(extension + ",") || text.contains(extension + " ");
        EXPECT_EQ(named, IsWritableType(type)) << qPrintable(extension);
    }
}
