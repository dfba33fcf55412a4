#pragma once
// Printing of ready-made pages (colour chart, colour libraries, user colour
// library, jacquard list): a print preview of them, whose Print button prints them
// on the printer or into a PDF file.

#include <QString>
#include <cstdint>
#include <functional>

class QPagedPaintDevice;
class QWidget;
struct TChipBook;

// paint paints every page on the device it is given and returns 0 or an error code,
// which is reported. Cancelling the preview changes nothing.
void PreviewPages(QWidget* parent, const QString& job,
                  const std::function<uint32_t(QPagedPaintDevice&)>& paint);
// The book's pages (colour/Librarypages_print.h) in PreviewPages under its job name.
void PreviewBook(QWidget* parent, const TChipBook& book);
