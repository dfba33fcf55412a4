#include "textile/Stripe_f.h"

#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Filedialog_f.h"
#include "shell/Tdocument.h"
#include "textile/Stripefile.h"
#include "textile/Stripetool.h"
#include "tools/Toolcontrols_f.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewWidth = 320;
constexpr int kPreviewHeight = 40;
const char* const kThicknessByUnit[] = {"160", "1", "2.54"};

QString Common(int index, const char* fallback) {
    return AppTables.Common ? AppTables.Common->Get(index) : QString::fromLatin1(fallback);
}

QString IniPath() {
    return SettingsFile(QStringLiteral("Stripe.ini"));
}

// The sequence as one row of colours (white for none).
QImage SequenceRow(const std::vector<uint8_t>& sequence, const TPalette* palette) {
    QImage row(std::max<int>(1, int(sequence.size())), 1, QImage::Format_RGB32);
    row.fill(Qt::white);
    for (size_t x = 0; x < sequence.size() && palette; ++x) {
        const TColorData& c = (*palette)[sequence[x]];
        row.setPixel(int(x), 0, qRgb(c.Red(), c.Green(), c.Blue()));
    }
    return row;
}

} // namespace

TStripeForm::TStripeForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Stripe"));
    setWindowTitle(Texts.Get(0));
    Preview = new QLabel;
    Preview->setFixedSize(kPreviewWidth, kPreviewHeight);
    ScrollBar = new QScrollBar(Qt::Horizontal);
    cbSize = new QComboBox;
    cbSize->addItems({Texts.Get(15), Texts.Get(16)});
    cbSpread = new QCheckBox(Texts.Get(17));
    lbLength = new QLabel;
    lbRatio = new QLabel;
    sgStripe = new QTableWidget(0, 5);
    sgStripe->setHorizontalHeaderLabels({QString(), Texts.Get(5), Texts.Get(6), Texts.Get(7), Texts.Get(8)});
    sgStripe->verticalHeader()->hide();
    sgStripe->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    sgStripe->setMinimumHeight(180);
    const int widths[5] = {32, 64, 72, 64, 56};
    for (int c = 0; c < 5; ++c)
        sgStripe->setColumnWidth(c, widths[c]);
    sgStripe->setMinimumWidth(kPreviewWidth);
    sbAdd = SpeedButton(Texts.Get(3));
    sbDelete = SpeedButton(Texts.Get(4));
    edThickness = new QLineEdit;
    lbUnit = new QLabel;
    spAngle = SpinEdit(-360, 360);
    rbOneRepeat = new QRadioButton(Texts.Get(1));
    rbWhole = new QRadioButton(Texts.Get(2));
    rbWhole->setChecked(true);
    sbRun = SpeedButton(Texts.Get(19));
    sbFile = SpeedButton(Texts.Get(18));
    auto* menu = new QMenu(sbFile);
    connect(menu->addAction(Common(9, "Read")), &QAction::triggered, this, &TStripeForm::sbReadClick);
    connect(menu->addAction(Common(10, "Save")), &QAction::triggered, this, &TStripeForm::sbSaveClick);
    sbFile->setMenu(menu);
    sbFile->setPopupMode(QToolButton::InstantPopup);

    auto* view = new QHBoxLayout;
    for (QWidget* w :
         std::initializer_list<QWidget*>{new QLabel(Texts.Get(14)), cbSize, lbRatio, cbSpread, lbLength})
        view->addWidget(w);
    auto* controls = new QGridLayout;
    controls->addWidget(sbAdd, 0, 0);
    controls->addWidget(sbDelete, 0, 1);
    controls->addWidget(new QLabel(Texts.Get(12)), 1, 0);
    controls->addWidget(edThickness, 1, 1);
    controls->addWidget(lbUnit, 1, 2);
    controls->addWidget(new QLabel(Texts.Get(13)), 2, 0);
    controls->addWidget(spAngle, 2, 1);
    controls->addWidget(rbOneRepeat, 3, 0);
    controls->addWidget(rbWhole, 3, 1);
    controls->addWidget(sbRun, 4, 0);
    controls->addWidget(sbFile, 4, 1);
    auto* all = new QVBoxLayout(this);
    all->addWidget(Preview);
    all->addWidget(ScrollBar);
    all->addLayout(view);
    all->addWidget(sgStripe);
    all->addLayout(controls);

    connect(sgStripe, &QTableWidget::cellClicked, this, &TStripeForm::sgStripeClick);
    connect(sgStripe, &QTableWidget::cellChanged, this, &TStripeForm::sgStripeEdited);
    connect(sbAdd, &QToolButton::clicked, this, &TStripeForm::sbAddClick);
    connect(sbDelete, &QToolButton::clicked, this, [this] { Editor.ArmDelete(); });
    connect(sbRun, &QToolButton::clicked, this, &TStripeForm::sbRunClick);
    connect(edThickness, &QLineEdit::editingFinished, this, &TStripeForm::edThicknessExit);
    connect(ScrollBar, &QScrollBar::valueChanged, this, &TStripeForm::ShowPreview);
    connect(cbSize, &QComboBox::currentIndexChanged, this, &TStripeForm::ShowPreview);
    connect(cbSpread, &QCheckBox::toggled, this, &TStripeForm::ShowPreview);
    OnChooseFile = [this](bool save) { return KindFileDialog(this, QString(), Texts.Get(23), save); };
    Editor.List = ReadStripeIni(IniPath());
    ShowDesign();
}

TStripeForm::~TStripeForm() {
    if (Engine) Engine->OnGone = Engine->OnPlaced = nullptr;
    WriteStripeIni(IniPath(), Editor.List);
}

void TStripeForm::Attach(TStripeTool* engine, TToolContext* context) {
    Engine = engine;
    Context = context;
    if (Engine) Engine->OnGone = [this] { Engine = nullptr; };
    ShowDesign();
}

TDocument* TStripeForm::Design() const {
    return Context ? Context->Document : nullptr;
}

int TStripeForm::UnitNow() const {
    const TDocument* doc = Design();
    return std::clamp(doc ? doc->Unit() : int(StripeDot), 0, 2);
}

void TStripeForm::ShowDesign() {
    const int unit = UnitNow();
    if (unit != ShownUnit) {
        edThickness->setText(QLatin1String(kThicknessByUnit[unit]));
        lbUnit->setText(Texts.Get(20 + unit));
        ShownUnit = unit;
    }
    Refresh();
}

void TStripeForm::Refresh() {
    const TDocument* doc = Design();
    const TPalette* palette = doc ? &doc->Palette() : nullptr;
    const double perUnit = DotsPerUnit(UnitNow(), doc ? doc->Paper().dpi : 160);
    Filling = true;
    const int rows = int(Editor.List.size());
    sgStripe->setRowCount(rows + 1);
    for (int r = 0; r <= rows; ++r) {
        const TStripe* s = r < rows && !Editor.List[size_t(r)].Pending ? &Editor.List[size_t(r)] : nullptr;
        const QString texts[5] = {QString::number(r + 1), QString(), s ? Texts.Get(9 + s->Method) : QString(),
                                  s ? QString::asprintf("%.2f", s->Length / perUnit) : QString(),
                                  s ? QString::number(s->Repeat) : QString()};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            if (!s || (c != ColumnLength && c != ColumnRepeat))
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (c == ColumnColor && s && palette) {
                const TColorData& colour = (*palette)[s->Color];
                item->setBackground(QColor(colour.Red(), colour.Green(), colour.Blue()));
            }
            sgStripe->setItem(r, c, item);
        }
    }
    Filling = false;
    const int64_t length = SequenceLength(Editor.List);
    const int unit = UnitNow();
    lbLength->setText(QString::asprintf(unit == StripeDot ? "%.0f %s" : "%.2f %s", double(length) / perUnit,
                                        qPrintable(Texts.Get(20 + unit))));
    ShowPreview();
}

void TStripeForm::ShowPreview() {
    const TDocument* doc = Design();
    const QImage row = SequenceRow(BuildSequence(Editor.List), doc ? &doc->Palette() : nullptr);
    const int length = int(SequenceLength(Editor.List) > 0 ? row.width() : 0);
    const bool whole = cbSize->currentIndex() == 1 && length > 0;
    ScrollBar->setEnabled(!whole);
    ScrollBar->setRange(0, std::max(0, length - kPreviewWidth));
    lbRatio->setText(whole ? QString::asprintf("%d %%", kPreviewWidth * 100 / length)
                           : QStringLiteral("100 %"));
    QImage shown(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    shown.fill(Qt::white);
    if (length > 0) {
        QPainter p(&shown);
        const int width = whole ? kPreviewWidth : length;
        const QImage band = row.scaled(width, kPreviewHeight);
        const int from = whole ? 0 : -ScrollBar->value();
        for (int x = from; x < kPreviewWidth; x += width) {
            p.drawImage(x, 0, band);
            if (!cbSpread->isChecked()) break;
        }
    }
    Preview->setPixmap(QPixmap::fromImage(shown));
}

void TStripeForm::sgStripeClick(int row, int column) {
    const int colour = Context ? Context->Colour.Index : TPalette::kFirstDrawing;
    if (Editor.Click(row, column, colour)) Refresh();
}

void TStripeForm::sgStripeEdited(int row, int column) {
    if (Filling || row >= int(Editor.List.size())) return;
    TStripe& s = Editor.List[size_t(row)];
    bool ok = false;
    const double value = sgStripe->item(row, column)->text().toDouble(&ok);
    const TDocument* doc = Design();
    if (ok && column == ColumnLength)
        s.Length = int16_t(
            std::clamp(value * DotsPerUnit(UnitNow(), doc ? doc->Paper().dpi : 160) + 0.5, 1.0, 32767.0));
    if (ok && column == ColumnRepeat) s.Repeat = int16_t(std::clamp(value, 1.0, 32767.0));
    // Refreshing inside the grid's own signal would delete the item being edited.
    QMetaObject::invokeMethod(this, &TStripeForm::Refresh, Qt::QueuedConnection);
}

void TStripeForm::sbAddClick() {
    if (!Editor.ArmAdd()) ReportError(ErrorCode::StripeBusy);
}

void TStripeForm::edThicknessExit() {
    const TDocument* doc = Design();
    const double value = ClampThickness(edThickness->text().toDouble(), UnitNow(),
                                        doc ? doc->Paper().dpi : 160, doc ? doc->Bounds().height() : 0);
    if (value != edThickness->text().toDouble() || edThickness->text().isEmpty())
        edThickness->setText(QString::number(value, 'g', 6));
}

void TStripeForm::sbRunClick() {
    if (!Engine || !Design()) return;
    if (Editor.Busy()) {
        ReportError(ErrorCode::StripeBusy);
        return;
    }
    edThicknessExit();
    const TDocument& doc = *Design();
    if (rbWhole->isChecked()) {
        Engine->RunWhole(*Context, Editor.List, spAngle->value());
        return;
    }
    const int thickness =
        ThicknessDots(edThickness->text().toDouble(), UnitNow(), doc.Paper().dpi, doc.Bounds().height());
    Engine->RunOneRepeat(*Context, Editor.List, thickness, spAngle->value());
}

void TStripeForm::sbReadClick() {
    TDocument* doc = Design();
    if (!doc || !OnChooseFile) return;
    const QString path = OnChooseFile(false);
    if (path.isEmpty()) return;
    TStripeList list;
    if (const uint32_t code = LoadStripeFile(path, *doc, list)) {
        ReportError(code, MB_OK, path);
        return;
    }
    Editor = TStripeEditor{std::move(list)};
    Refresh();
}

void TStripeForm::sbSaveClick() {
    const TDocument* doc = Design();
    if (!doc || !OnChooseFile) return;
    const QString path = OnChooseFile(true);
    if (path.isEmpty()) return;
    if (const uint32_t code = WriteStripeFile(path, doc->Palette(), Editor.List))
        ReportError(code, MB_OK, path);
}
