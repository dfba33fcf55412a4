#pragma once
// Printed colour books: the colour libraries, a user colour library and the
// jacquard list as pages of chips. A book is built from its data first (title,
// page headings, chips with captions), then painted one page a sheet onto any paged
// device, so the printer, the preview and PDF files show the same pages.

#include <QColor>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

#include "colour/Usercolor.h"

class QPagedPaintDevice;
class QPainter;
class QRectF;
struct TColorLibraries;

// One chip: a colour, or a picture (a weave) drawn in its place, and the text under it.
struct TChip {
    QColor Colour;
    QImage Picture;
    QString Caption;
};

struct TChipPage {
    QString Heading;
    std::vector<TChip> Chips;
    int Columns = 12;
};

struct TChipBook {
    QString Title;
    QString Job;        // the print job's name
    bool Large = false; // chips twice the size: fewer columns a row
    std::vector<TChipPage> Pages;
};

// The libraries a book prints: the printer guide, VM Standard or VM Textile.
enum TBookChoice : int { BookPrinter = 0, BookStandard = 1, BookTextile = 2 };

// Pages first .. first + count - 1 (from 0, clamped to the library) of a library,
// each headed "Page %d" with its page number.
TChipBook LibraryBook(const TColorLibraries& libraries, int choice, bool large, int first, int count);
// A user colour library: 60 chips (the colours' names) a page, each page headed
// "---   <file name>   ---       << n >>".
TChipBook UserLibraryBook(const TUserColorList& colours, const QString& fileName);

// Paints the title centred at the top of page in pointSize type; returns the rest of the page.
QRectF PaintPageTitle(QPainter& painter, const QRectF& page, const QString& title, double pointSize);

// Paints every page of book, one a sheet. 0, or ErrorCode::NothingToPrint for a
// book without pages, or Printing when the device would not open.
uint32_t PaintChipBook(QPagedPaintDevice& device, const TChipBook& book);
