#include "colour/Colorreport_f.h"

#include "colour/Colorref.h"
#include "colour/Palettefile.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

TColorReportForm::TColorReportForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setWindowTitle(QStringLiteral("Color Report"));
    tbReport = new QTableWidget(0, 8);
    tbReport->setHorizontalHeaderLabels(
        {"Index", "Color", "Library", "Code", "Pixels", "Share", "cm²", "in²"});
    tbReport->verticalHeader()->hide();
    tbReport->setEditTriggers(QAbstractItemView::NoEditTriggers);
    btExport = new QPushButton(QStringLiteral("Export CSV"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbReport);
    layout->addWidget(btExport);
    resize(640, 420);
    AskPath = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"), QString(),
                                            QStringLiteral("CSV (*.csv)"));
    };
    connect(btExport, &QPushButton::clicked, this, [this] { btExportClick(); });
}

void TColorReportForm::SetDocument(TDocument* document) {
    disconnect(Link);
    Doc = document;
    if (Doc) {
        Link = connect(Doc, &TDocument::PaletteChanged, this, [this] { Refresh(); });
        connect(Doc, &TDocument::Changed, this, [this] { Refresh(); });
    }
    Refresh();
}

void TColorReportForm::Refresh() {
    RowsV = Doc && Doc->BitsPerPixel() == 8
                ? BuildColorReport(Doc->Picture(), Doc->Palette(), Doc->Paper().dpi, CodeText)
                : std::vector<TColorReportRow>();
    tbReport->setRowCount(int(RowsV.size()));
    for (int row = 0; row < int(RowsV.size()); ++row) {
        const TColorReportRow& r = RowsV[size_t(row)];
        const QStringList cells = {QString::number(r.Index - 1),
                                   QString::asprintf("%d - %d - %d", r.Red, r.Green, r.Blue),
                                   r.Library,
                                   r.Code,
                                   QString::number(r.Pixels),
                                   QString::asprintf("%.3f %%", r.Share * 100),
                                   QString::number(r.SquareCm, 'f', 2),
                                   QString::number(r.SquareInch, 'f', 3)};
        for (int c = 0; c < cells.size(); ++c)
            tbReport->setItem(row, c, new QTableWidgetItem(cells[c]));
        tbReport->item(row, 1)->setBackground(ToQColor(MakeColorRef(r.Red, r.Green, r.Blue)));
    }
}

void TColorReportForm::btExportClick() {
    const QString asked = AskPath ? AskPath() : QString();
    if (asked.isEmpty()) return;
    const QString path = WithExtension(asked, QStringLiteral("csv"));
    if (const uint32_t code = WriteColorReport(path, RowsV)) ReportError(code, MB_OK, path);
}
