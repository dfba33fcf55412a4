#include "shell/Exception.h"

#include "shell/Stringtable.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const TStringTable* g_messages = nullptr;
TErrorPresenter g_presenter = StderrPresenter;

struct CodeIndex {
    uint32_t Code;
    int Index;
};

constexpr CodeIndex kCodes[] = {
    {0x40000010, 21},  {0x40000011, 22},  {0x40000012, 23},  {0x40000100, 34},  {0x40000101, 25},
    {0x40000102, 40},  {0x40000103, 26},  {0x40000104, 29},  {0x40000105, 30},  {0x40000180, 50},
    {0x40000181, 51},  {0x40000200, 31},  {0x40000300, 32},  {0x40000400, 35},  {0x40000401, 36},
    {0x40000402, 37},  {0x40000500, 53},  {0x40000600, 52},  {0x40000601, 61},  {0x80000001, 27},
    {0x80000002, 41},  {0x80000003, 42},  {0x80000004, 4},   {0x80000005, 43},  {0x80000006, 44},
    {0x80000007, 46},  {0x80000008, 47},  {0x80000009, 49},  {0x80000010, 54},  {0x80000011, 55},
    {0x80000012, 57},  {0x80000013, 59},  {0x80000014, 62},  {0x80000015, 63},  {0x80000016, 64},
    {0x80000017, 66},  {0xC0000001, 28},  {0xC0000002, 9},   {0xC0000003, 65},  {0xC0000010, 33},
    {0xC0000011, 45},  {0xC0000012, 56},  {0xC0000013, 60},  {0xC0000016, 90},  {0x40000106, 92},
    {0x40000107, 93},  {0x40000108, 94},  {0x40000109, 95},  {0x40000013, 24},  {0x8000001A, 20},
    {0x80000018, 96},  {0x80000019, 97},  {0x8000001B, 79},  {0x8000001C, 87},  {0x8000001D, 88},
    {0x8000001E, 98},  {0x8000001F, 99},  {0x80000020, 100}, {0x80000021, 101}, {0x80000026, 102},
    {0x80000022, 104}, {0x80000023, 105}, {0x80000024, 106}, {0x80000025, 107}, {0x80000027, 103},
    {0x80000028, 108}, {0x80000029, 109}, {0x8000002A, 110}, {0x8000002B, 111}, {0x80000030, 116},
    {0x80000034, 120},
};

} // namespace

TSeverity SeverityOf(uint32_t code) {
    return TSeverity(code >> 30);
}

int MessageIndexOf(uint32_t code) {
    for (const CodeIndex& c : kCodes)
        if (c.Code == code) return c.Index;
    return -1;
}

QString ErrorText(uint32_t code) {
    if (code == ErrorCode::SystemError) return QString::fromLocal8Bit(std::strerror(errno));
    const int index = MessageIndexOf(code);
    return index >= 0 && g_messages ? g_messages->Get(index) : QString();
}

int ReportError(uint32_t code, int buttons, const QString& extra) {
    const TSeverity severity = SeverityOf(code);
    if (severity == TSeverity::None) return 0;
    QString text = ErrorText(code);
    if (!extra.isEmpty()) text += QLatin1Char('\n') + extra;
    return g_presenter ? g_presenter(severity, text, buttons) : 0;
}

void SetErrorPresenter(TErrorPresenter presenter) {
    g_presenter = std::move(presenter);
}

int StderrPresenter(TSeverity severity, const QString& text, int buttons) {
    static const char* const kinds[] = {"", "error", "warning", "information"};
    QString oneLine = text;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s: %s\n", kinds[int(severity)], oneLine.toLocal8Bit().constData());
    switch (buttons) {
    case MB_YESNO:
        return ID_NO;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
        return ID_CANCEL;
    default:
        return ID_OK;
    }
}

void SetMessageTable(const TStringTable* table) {
    g_messages = table;
}

int ShowMessage(TSeverity severity, const QString& text, int buttons) {
    return g_presenter ? g_presenter(severity, text, buttons) : 0;
}
