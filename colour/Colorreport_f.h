#pragma once
// The colour report of the current design as a palette list: index, colour,
// library, code, pixels, share and area on paper; "Export CSV" writes it.

#include "colour/Colorreport.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QPushButton;
class QTableWidget;
class TDocument;

class TColorReportForm : public QWidget {
  public:
    explicit TColorReportForm(QWidget* parent = nullptr);
    // Shows document's report (null: an empty list) and follows its changes.
    void SetDocument(TDocument* document);
    const std::vector<TColorReportRow>& Rows() const { return RowsV; }
    // Asks for the CSV file's name; a file dialog unless replaced (tests).
    std::function<QString()> AskPath;
    // The library code of an entry (EntryCodeText when unset).
    std::function<QString(const TColorData&)> CodeText;

    QTableWidget* tbReport;
    QPushButton* btExport;

  private:
    void Refresh();
    void btExportClick();
    QPointer<TDocument> Doc;
    QMetaObject::Connection Link;
    std::vector<TColorReportRow> RowsV;
};
