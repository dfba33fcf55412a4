#include "colour/Colorlibrary_f.h"

#include "colour/Colorlibraries.h"
#include "colour/Librarypages_f.h"
#include "colour/Librarypages_print.h"
#include "colour/Phls.h"
#include "raster/Tpmemory.h"
#include "shell/Common.h"
#include "shell/Printpages_f.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidgetItem* Chip(const QColor& colour) {
    QTableWidgetItem* item = Cell(QString());
    item->setBackground(colour);
    return item;
}

} // namespace

TColorLibraryForm::TColorLibraryForm(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("ColorLibrary"));
    setWindowTitle(Texts.Get(0));
    tbView = new QTabBar;
    for (int i = 1; i <= 4; ++i)
        tbView->addTab(Texts.Get(i));
    sgPalette = new QTableWidget(251, 7);
    QStringList headers;
    for (int i = 11; i <= 17; ++i)
        headers << Texts.Get(i);
    sgPalette->setHorizontalHeaderLabels(headers);
    sgPalette->verticalHeader()->hide();
    sgPalette->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgPrinter = new QTableWidget;
    sgPrinter->horizontalHeader()->setDefaultSectionSize(18);
    sgPrinter->verticalHeader()->setDefaultSectionSize(18);
    connect(sgPrinter, &QTableWidget::cellDoubleClicked, this, &TColorLibraryForm::PrinterCellDoubleClick);
    pbPages = new TLibraryPagesView;
    pbPages->OnChip = [this](int page, int record) { ChipClick(page, record); };
    sbPages = new QScrollBar(Qt::Horizontal);
    connect(sbPages, &QScrollBar::valueChanged, this, &TColorLibraryForm::PageChanged);
    Views = new QStackedWidget;
    Views->addWidget(sgPalette);
    Views->addWidget(sgPrinter);
    Views->addWidget(pbPages);
    connect(tbView, &QTabBar::currentChanged, this, &TColorLibraryForm::ShowView);

    auto* moves = new QHBoxLayout;
    for (auto [b, text] :
         {std::pair{&btFirst, 5}, {&btCenter, 6}, {&btEnd, 7}, {&btBefore, 8}, {&btNext, 9}}) {
        *b = new QPushButton(Texts.Get(text));
        moves->addWidget(*b);
    }
    lbPage = new QLabel;
    moves->addWidget(lbPage);
    connect(btFirst, &QPushButton::clicked, this, [this] { sbPages->setValue(0); });
    connect(btEnd, &QPushButton::clicked, this, [this] { sbPages->setValue(sbPages->maximum()); });
    connect(btCenter, &QPushButton::clicked, this, [this] { sbPages->setValue(sbPages->maximum() / 2); });
    connect(btBefore, &QPushButton::clicked, this, [this] { sbPages->setValue(sbPages->value() - 1); });
    connect(btNext, &QPushButton::clicked, this, [this] { sbPages->setValue(sbPages->value() + 1); });

    auto* all = new QVBoxLayout(this);
    all->addWidget(tbView);
    all->addWidget(Views, 1);
    all->addWidget(sbPages);
    all->addLayout(moves);
    all->addWidget(PrintGroup());
    resize(560, 420);
    ShowView(ViewPalette);
}

QGroupBox* TColorLibraryForm::PrintGroup() {
    auto* group = new QGroupBox(QStringLiteral("Print"));
    cbChipSize = new QComboBox;
    cbChipSize->addItems({QStringLiteral("Small"), QStringLiteral("Large")});
    spStartPage = new QSpinBox;
    spStartPage->setRange(1, 999);
    spPageCount = new QSpinBox;
    spPageCount->setRange(1, 999);
    btPrint = new QPushButton(QStringLiteral("Print"));
    auto* row = new QHBoxLayout(group);
    row->addWidget(cbChipSize);
    row->addWidget(new QLabel(QStringLiteral("Start page")));
    row->addWidget(spStartPage);
    row->addWidget(new QLabel(QStringLiteral("Pages")));
    row->addWidget(spPageCount);
    row->addWidget(btPrint);
    connect(btPrint, &QPushButton::clicked, this, &TColorLibraryForm::btPrintClick);
    return group;
}

void TColorLibraryForm::btPrintClick() {
    if (!Libs) return;
    const int choice = View() == ViewStandard  ? BookStandard
                       : View() == ViewTextile ? BookTextile
                                               : BookPrinter;
    const TChipBook book = LibraryBook(*Libs, choice, cbChipSize->currentIndex() == 1,
                                       spStartPage->value() - 1, spPageCount->value());
    PreviewBook(this, book);
}

void TColorLibraryForm::SetLibraries(const TColorLibraries* libraries) {
    Libs = libraries;
    ShowView(View());
}

void TColorLibraryForm::SetPalette(const TPalette* palette, const TOrvaneBitmap* picture) {
    Pal = palette;
    Picture = picture;
    RefreshPalette();
}

QString TColorLibraryForm::LibraryName(const TColorData& e) const {
    // Texts 18 .. 22 name the kinds 0 .. 4 (kind 0 with a page is the printer guide,
    // text 2); 23 .. 28 the same for user colours, printer first.
    const int kind = e.Kind() > 4 ? 0 : e.Kind();
    const bool printer = kind == KindNormal && e.Page != 0;
    if (e.IsUser()) return Texts.Get(printer ? 23 : 24 + kind);
    return Texts.Get(printer ? 2 : 18 + kind);
}

void TColorLibraryForm::RefreshPalette() {
    sgPalette->clearContents();
    if (!Pal) return;
    const std::array<double, 256> shares = Picture ? IndexShares(*Picture) : std::array<double, 256>{};
    for (int index = 1; index <= TPalette::kLastDrawing; ++index) {
        const TColorData& e = Pal->Entries[index];
        const int row = index - 1;
        QString code = Libs ? Libs->CodeOf(e) : QString();
        if (e.IsUser())
            code = code.isEmpty()
                       ? QStringLiteral("%1 - %2").arg(QString::fromLatin1(e.FileName),
                                                       QString::fromLatin1(e.ColorName))
                       : QStringLiteral("%1 - %2:(%3)")
                             .arg(QString::fromLatin1(e.FileName), QString::fromLatin1(e.ColorName), code);
        const THLS hls = RGBToHLS(e.Red(), e.Green(), e.Blue());
        sgPalette->setItem(row, 0, Cell(QString::number(index - 1)));
        sgPalette->setItem(row, 1, Chip(QColor(e.Red(), e.Green(), e.Blue())));
        sgPalette->setItem(row, 2, Cell(LibraryName(e)));
        sgPalette->setItem(row, 3, Cell(code));
        sgPalette->setItem(row, 4, Cell(QString::asprintf("%d - %d - %d", e.Red(), e.Green(), e.Blue())));
        sgPalette->setItem(row, 5,
                           Cell(QString::asprintf("%.0f / %.0f / %.0f", hls.H, hls.L * 100, hls.S * 100)));
        sgPalette->setItem(row, 6, Cell(QString::asprintf("%.3f %%", shares[size_t(index)])));
    }
}

void TColorLibraryForm::SelectIndex(int index) {
    if (index >= 1 && index <= TPalette::kLastDrawing) sgPalette->selectRow(index - 1);
}

int TColorLibraryForm::View() const {
    return tbView->currentIndex();
}

int TColorLibraryForm::PageCount() const {
    if (View() == ViewPrinter) return TPrinterColor::kPages;
    return pbPages->Library() ? pbPages->Library()->PageCount() : 0;
}

void TColorLibraryForm::ShowView(int view) {
    if (view < ViewPalette || view > ViewTextile) view = ViewPalette;
    if (tbView->currentIndex() != view) {
        tbView->setCurrentIndex(view); // comes back here through currentChanged
        return;
    }
    Views->setCurrentIndex(std::min(view, 2));
    if (view == ViewStandard || view == ViewTextile)
        pbPages->SetLibrary(!Libs                  ? nullptr
                            : view == ViewStandard ? static_cast<const TColorLibrary*>(&Libs->Standard)
                                                   : &Libs->Textile);
    const bool paged = view != ViewPalette;
    for (QWidget* w :
         {static_cast<QWidget*>(sbPages), static_cast<QWidget*>(btFirst), static_cast<QWidget*>(btCenter),
          static_cast<QWidget*>(btEnd), static_cast<QWidget*>(btBefore), static_cast<QWidget*>(btNext),
          static_cast<QWidget*>(lbPage)})
        w->setVisible(paged);
    const int last = view == ViewPrinter ? TPrinterColor::kPages - 1
                                         : std::max(PageCount() - TLibraryPagesView::kShown, 0);
    sbPages->setRange(0, last);
    sbPages->setValue(0);
    PageChanged(0); // the first page shows even when the value stays
}

void TColorLibraryForm::PageChanged(int first) {
    if (View() == ViewPrinter)
        ShowPrinterPage(first);
    else
        pbPages->SetFirst(first);
    const TColorLibrary* lib = pbPages->Library();
    const int label = View() == ViewPrinter             ? first + 1
                      : lib && first < lib->PageCount() ? lib->Page(first).Number
                                                        : 0;
    lbPage->setText(QStringLiteral("%1 %2").arg(Texts.Get(10)).arg(label));
}

void TColorLibraryForm::ShowFound(int view, int pagePosition) {
    ShowView(view);
    SetFirstPage(view == ViewPrinter ? pagePosition : FirstShownPage(pagePosition, PageCount()));
}

int TColorLibraryForm::FirstPage() const {
    return sbPages->value();
}

void TColorLibraryForm::SetFirstPage(int first) {
    sbPages->setValue(first);
}

void TColorLibraryForm::ShowPrinterPage(int page) {
    PrinterPage = std::clamp(page, 0, TPrinterColor::kPages - 1);
    const int p = PrinterPage + 1, rows = TPrinterColor::Rows(p), columns = TPrinterColor::Columns(p);
    sgPrinter->clear();
    sgPrinter->setRowCount(rows);
    sgPrinter->setColumnCount(columns);
    if (!Libs) return;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= columns; ++c) {
            const uint32_t rgb = Libs->Printer.ColorOf(p, r, c);
            sgPrinter->setItem(r - 1, c - 1,
                               Chip(QColor(int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF))));
        }
}

void TColorLibraryForm::PrinterCellDoubleClick(int row, int column) {
    if (!Libs || !OnChoose) return;
    const int p = PrinterPage + 1;
    const uint32_t rgb = Libs->Printer.ColorOf(p, row + 1, column + 1);
    TColorData e;
    e.SetLibrary(KindNormal, TPrinterColor::Line(p, row + 1), column, int(rgb >> 16), int(rgb >> 8 & 0xFF),
                 int(rgb & 0xFF));
    OnChoose(e);
}

void TColorLibraryForm::ChipClick(int page, int record) {
    const TColorLibrary* lib = pbPages->Library();
    const TLibraryColor* c = lib ? lib->Record(page, record) : nullptr;
    if (!c || !OnChoose) return;
    TColorData e;
    e.SetLibrary(lib->Kind(), lib->Page(page).Number, c->Slot & 0xFF, c->Red, c->Green, c->Blue);
    OnChoose(e);
}
