#pragma once
// Error codes and the one routine that shows them.
//
// A code is 32 bits; its top two bits give the kind of message: 01 error,
// 10 warning, 11 information, 00 nothing at all. The text is an entry of the
// "Message" language section. Engines only return codes; ReportError hands the
// text to the presenter chosen at start-up (a message box in the desktop app, a
// line on standard error in the command-line tool and the tests).

#include <QString>
#include <cstdint>
#include <functional>

class TStringTable;

namespace ErrorCode {
constexpr uint32_t SystemError = 0x40000001; // text from the last system error number
constexpr uint32_t OutOfMemory = 0x40000010; // memory, object or bitmap cannot be allocated
constexpr uint32_t NoDeviceContext = 0x40000011;
constexpr uint32_t TooLargeForOperation = 0x40000013; // the result would pass the picture-size limits
constexpr uint32_t CannotCreateFile = 0x40000100;
constexpr uint32_t CannotOpenFile = 0x40000101;
constexpr uint32_t FileNotFound = 0x40000102;
constexpr uint32_t BadFile = 0x40000104; // unreadable or not in a known layout
constexpr uint32_t CannotWriteFile = 0x40000105;
constexpr uint32_t UnwritableType = 0x40000106;  // the name's extension is no type the program writes
constexpr uint32_t PictureTooLarge = 0x40000107; // the file announces a size above the bitmap limits
constexpr uint32_t DamagedFile = 0x40000108;     // a known layout that ends early or holds corrupt pixels
constexpr uint32_t DepthOfType = 0x40000109;     // colours asked for that the design type cannot hold
constexpr uint32_t DisketteWrite = 0x40000181;
constexpr uint32_t CannotCreateWindow = 0x40000200;
constexpr uint32_t Clipboard = 0x40000400;
constexpr uint32_t Printing = 0x40000601;
constexpr uint32_t NoWorkArea = 0x80000002; // an operation on the selection without one
constexpr uint32_t EmptyColourSet = 0x80000003;
constexpr uint32_t FewPoints = 0x80000018;       // an irregular selection closed with fewer than three points
constexpr uint32_t EmptyPiece = 0x80000019;      // a selection piece that holds no pixel of the design
constexpr uint32_t NotANumber = 0x8000001A;      // a typed value that is no number
constexpr uint32_t OutsideWorkArea = 0x8000001B; // a point outside the selection where one inside is needed
constexpr uint32_t NoCaptures = 0x8000001C;      // a pattern asked for while the captured-image list is empty
constexpr uint32_t BadPattern = 0x8000001D;      // a capture without pixels, or one that is gone
constexpr uint32_t LongTextureName = 0x8000001E; // a carpet texture name of more than 12 characters
constexpr uint32_t BadCarpetSize = 0x8000001F;   // a carpet or texture size below 1 x 1
constexpr uint32_t CarpetTooTall = 0x80000020;   // a carpet area taller than a diskette image holds
constexpr uint32_t StripeBusy = 0x80000021;      // a stripe row still waits for its colour
constexpr uint32_t NoScanner = 0x80000022;       // no scanner found, or the chosen one cannot be opened
constexpr uint32_t ScanFailed = 0x80000023;      // the scanner failed or went away during a scan
constexpr uint32_t ScanEmpty = 0x80000024;       // a scan that delivered no pixel
constexpr uint32_t ScanTooLarge = 0x80000025;    // a scan larger than a design may be
constexpr uint32_t JacquardEmpty = 0x80000026;   // a jacquard click while the weave list is empty
constexpr uint32_t JacquardNeeds256 = 0x80000027; // the jacquard tool on a full-colour design
constexpr uint32_t NoPrinter = 0x80000028;        // Print asked for while no printer is set up
constexpr uint32_t PdfNotWritten = 0x80000029;    // a PDF path that cannot be created or written
constexpr uint32_t NothingToPrint = 0x8000002A;   // an empty design or work area sent to print
constexpr uint32_t TooManySheets = 0x8000002B;    // a tiling that would need more than kMaxPrintSheets sheets
constexpr uint32_t CanvasTooLarge = 0x80000030;   // a canvas this machine's memory cannot hold
constexpr uint32_t Cancelled = 0x80000034;        // the user stopped a long operation; nothing changed
constexpr uint32_t PaletteFull = 0xC0000001;      // too few free palette entries for the colours added
constexpr uint32_t NoColour = 0xC0000002;         // no usable colour was chosen
constexpr uint32_t NothingToUndo = 0xC0000003;
constexpr uint32_t NotCarpetDiskette = 0xC0000010;
} // namespace ErrorCode

enum class TSeverity { None = 0, Error = 1, Warning = 2, Information = 3 };

// Button sets and results, numbered as the classic message box numbers them.
enum TButtons : int { MB_OK = 0, MB_OKCANCEL = 1, MB_YESNOCANCEL = 3, MB_YESNO = 4 };
enum TDialogResult : int { ID_NONE = 0, ID_OK = 1, ID_CANCEL = 2, ID_YES = 6, ID_NO = 7 };

TSeverity SeverityOf(uint32_t code);

// The "Message" entry that holds a code's text, or -1 when the code has none.
int MessageIndexOf(uint32_t code);

// The full text of a code (without the extra line); empty for unknown codes.
QString ErrorText(uint32_t code);

// Shows the text of code (plus "\n" + extra when extra is not empty) with the given
// buttons and returns the answer. Severity 00 shows nothing and returns 0.
int ReportError(uint32_t code, int buttons = MB_OK, const QString& extra = QString());

// Who shows a report: gets the severity, the whole text and the buttons, returns the answer.
using TErrorPresenter = std::function<int(TSeverity, const QString& text, int buttons)>;
void SetErrorPresenter(TErrorPresenter presenter);
// The presenter for the command-line tool and tests: one line on standard error;
// answers OK, or No / Cancel to questions (nobody is there to agree).
int StderrPresenter(TSeverity severity, const QString& text, int buttons);

// The process-wide "Message" table ReportError reads; set at start-up.
void SetMessageTable(const TStringTable* table);

// Shows a text that is no error code (questions with their own text) through the
// same presenter; returns the answer.
int ShowMessage(TSeverity severity, const QString& text, int buttons);
