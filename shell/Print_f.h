#pragma once
// The printing window: layout (true size, fit to page, tiles), overlap, marks, work
// area only and colour key for the current design, then "Preview", "Print" or
// "PDF...". It shares the main window's printer (and so its page setup) and only
// gathers settings: planning and painting are shell/Printlayout and shell/Printpaint.

#include "shell/Printpaint.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPrinter;
class QPushButton;
class TDocument;

class TPrintForm : public QWidget {
  public:
    TPrintForm(QPrinter& printer, QWidget* parent = nullptr);

    // The design printed from now on, under job name (the printer's document name).
    void SetDocument(TDocument* document, const QString& jobName);
    TPrintSettings Settings() const;
    void SetSettings(const TPrintSettings& settings);

    // Asks for the PDF's path (empty: cancelled); replaced in tests.
    std::function<QString()> AskPdfPath;
    // The library code of a key entry (EntryCodeText when unset).
    std::function<QString(const TColorData&)> CodeText;

    void btPreviewClick();
    void btPrintClick();
    void btPdfClick();

    QComboBox* cbLayout;
    QDoubleSpinBox* spOverlap;
    QCheckBox *cbMarks, *cbWorkArea, *cbKey;
    QLabel* lbPlan;
    QPushButton *btPreview, *btPrint, *btPdf, *btClose;

  private:
    // Paints the job on device with a progress window for long jobs; 0 or an error code.
    uint32_t Paint(QPagedPaintDevice& device);
    // Runs job under a progress window; 0 when it succeeded or the user stopped it.
    uint32_t Run(const QString& label, const std::function<uint32_t(const TPrintProgress&)>& job);
    void ShowPlan();

    QPrinter& Printer;
    QPointer<TDocument> Doc;
};
