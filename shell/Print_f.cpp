#include "shell/Print_f.h"

#include "shell/Exception.h"
#include "shell/Filedialog_f.h"
#include "shell/Tdocument.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

TPrintForm::TPrintForm(QPrinter& printer, QWidget* parent) : QWidget(parent, Qt::Tool), Printer(printer) {
    setWindowTitle(QStringLiteral("Printing"));
    cbLayout = new QComboBox;
    cbLayout->addItems({QStringLiteral("True size"), QStringLiteral("Fit to page"), QStringLiteral("Tiles")});
    spOverlap = new QDoubleSpinBox;
    spOverlap->setRange(0, 100);
    spOverlap->setSuffix(QStringLiteral(" mm"));
    cbMarks = new QCheckBox(QStringLiteral("Alignment marks and labels"));
    cbWorkArea = new QCheckBox(QStringLiteral("Work area only"));
    cbKey = new QCheckBox(QStringLiteral("Color key"));
    lbPlan = new QLabel;
    btPreview = new QPushButton(QStringLiteral("Preview"));
    btPrint = new QPushButton(QStringLiteral("Print"));
    btPdf = new QPushButton(QStringLiteral("PDF..."));
    btClose = new QPushButton(QStringLiteral("Close"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Layout"), cbLayout);
    form->addRow(QStringLiteral("Overlap"), spOverlap);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {btPreview, btPrint, btPdf, btClose})
        buttons->addWidget(b);
    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    for (QWidget* w : std::initializer_list<QWidget*>{cbMarks, cbWorkArea, cbKey, lbPlan})
        all->addWidget(w);
    all->addLayout(buttons);
    SetSettings(TPrintSettings{});
    AskPdfPath = [this] { return PlainFileDialog(this, QString(), QStringLiteral("PDF (*.pdf)"), true); };
    connect(cbLayout, &QComboBox::currentIndexChanged, this, [this] { ShowPlan(); });
    connect(spOverlap, &QDoubleSpinBox::valueChanged, this, [this] { ShowPlan(); });
    for (QCheckBox* c : {cbMarks, cbWorkArea, cbKey})
        connect(c, &QCheckBox::toggled, this, [this] { ShowPlan(); });
    connect(btPreview, &QPushButton::clicked, this, &TPrintForm::btPreviewClick);
    connect(btPrint, &QPushButton::clicked, this, &TPrintForm::btPrintClick);
    connect(btPdf, &QPushButton::clicked, this, &TPrintForm::btPdfClick);
    connect(btClose, &QPushButton::clicked, this, &QWidget::hide);
}

void TPrintForm::SetDocument(TDocument* document, const QString& jobName) {
    Doc = document;
    Printer.setDocName(jobName);
    ShowPlan();
}

TPrintSettings TPrintForm::Settings() const {
    TPrintSettings s;
    s.Layout = TPrintLayout(cbLayout->currentIndex());
    s.OverlapMm = spOverlap->value();
    s.Marks = cbMarks->isChecked();
    s.WorkAreaOnly = cbWorkArea->isChecked();
    s.ColourKey = cbKey->isChecked();
    return s;
}

void TPrintForm::SetSettings(const TPrintSettings& s) {
    cbLayout->setCurrentIndex(int(s.Layout));
    spOverlap->setValue(s.OverlapMm);
    cbMarks->setChecked(s.Marks);
    cbWorkArea->setChecked(s.WorkAreaOnly);
    cbKey->setChecked(s.ColourKey);
}

void TPrintForm::ShowPlan() {
    const bool tiles = cbLayout->currentIndex() == int(TPrintLayout::Tile);
    spOverlap->setEnabled(tiles);
    cbMarks->setEnabled(tiles);
    cbWorkArea->setEnabled(Doc && Doc->HasSelection());
    cbKey->setEnabled(Doc && Doc->BitsPerPixel() == 8);
    for (QPushButton* b : {btPreview, btPrint, btPdf})
        b->setEnabled(Doc != nullptr);
    if (!Doc) return lbPlan->clear();
    const TPrintPlan plan = PlanJob(PrintJobOf(*Doc, Settings(), CodeText), Printer);
    QString text = plan.Sheets.empty() ? QStringLiteral("Too many sheets for this paper")
                                       : QStringLiteral("%1 sheet(s)").arg(plan.Sheets.size());
    if (plan.Layout == TPrintLayout::Tile && !plan.Sheets.empty())
        text += QStringLiteral(": %1 row(s) x %2 column(s)").arg(plan.Rows).arg(plan.Columns);
    if (plan.FellBack) text += QStringLiteral(" - larger than the paper, tiled at true size");
    lbPlan->setText(text);
}

uint32_t TPrintForm::Run(const QString& label, const std::function<uint32_t(const TPrintProgress&)>& job) {
    QProgressDialog progress(label, QStringLiteral("Cancel"), 0, 1, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500); // shown only when the pages take longer than half a second
    const uint32_t code = job([&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        return !progress.wasCanceled();
    });
    return progress.wasCanceled() ? 0 : code; // stopped by the user: nothing more to say
}

uint32_t TPrintForm::Paint(QPagedPaintDevice& device) {
    return Run(QStringLiteral("Preparing pages..."), [&](const TPrintProgress& progress) {
        return PaintPrint(device, PrintJobOf(*Doc, Settings(), CodeText), progress);
    });
}

void TPrintForm::btPreviewClick() {
    if (!Doc) return;
    QPrintPreviewDialog preview(&Printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        if (const uint32_t code = Paint(*printer)) ReportError(code);
    });
    preview.exec();
}

void TPrintForm::btPrintClick() {
    if (!Doc) return;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        ReportError(ErrorCode::NoPrinter);
        return;
    }
    QPrintDialog dialog(&Printer, this);
    if (dialog.exec() != QDialog::Accepted) return; // cancelled: nothing printed, nothing said
    if (const uint32_t code = Paint(Printer)) ReportError(code);
}

void TPrintForm::btPdfClick() {
    if (!Doc) return;
    const QString path = AskPdfPath ? AskPdfPath() : QString();
    if (path.isEmpty()) return;
    const uint32_t code = Run(QStringLiteral("Writing PDF..."), [&](const TPrintProgress& progress) {
        return WritePrintPdf(path, PrintJobOf(*Doc, Settings(), CodeText), Printer.pageLayout(),
                             Printer.resolution(), progress);
    });
    if (code) ReportError(code, MB_OK, path);
}
