#include "colour/Colorchart_f.h"

#include "colour/Colorchart.h"
#include "shell/Common.h"
#include "shell/Printpages_f.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kLabelWidth = 56;
} // namespace

TColorChartForm::TColorChartForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("ColorChart"));
    PaletteTexts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Palette"));
    setWindowTitle(Texts.Get(0));
    imChart = new QWidget;
    imChart->setMinimumSize(kLabelWidth + 16 * 20, 16 * 18);
    imChart->setMouseTracking(true);
    imChart->installEventFilter(this);
    StatusText = new QLabel;
    btPrint = new QPushButton(Texts.Get(1));
    btClose = new QPushButton(Texts.Get(2));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(StatusText, 1);
    buttons->addWidget(btPrint);
    buttons->addWidget(btClose);
    auto* all = new QVBoxLayout(this);
    all->addWidget(imChart, 1);
    all->addLayout(buttons);
    connect(btClose, &QPushButton::clicked, this, &QWidget::hide);
    connect(btPrint, &QPushButton::clicked, this, [this] { PrintClick(); });
}

void TColorChartForm::SetPalette(const TPalette* palette) {
    Pal = palette;
    imChart->update();
}

void TColorChartForm::ShowIndex(int index) {
    Marked = index;
    imChart->update();
}

int TColorChartForm::IndexAt(const QPoint& point) const {
    return TChartLayout(imChart->rect(), kLabelWidth).IndexAt(point);
}

bool TColorChartForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != imChart) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::Paint) {
        QPainter p(imChart);
        p.fillRect(imChart->rect(), palette().window());
        if (Pal)
            PaintColorChart(p, TChartLayout(imChart->rect(), kLabelWidth), *Pal, QStringLiteral("%d-%d"),
                            Marked);
        return true;
    }
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress) {
        const auto* m = static_cast<QMouseEvent*>(event);
        const int index = IndexAt(m->position().toPoint());
        if (index < 0 || !Pal) {
            StatusText->clear();
            return false;
        }
        StatusText->setText(FillPlaces(Texts.Get(8), {QString::number(index - 1)}) + QStringLiteral("   ") +
                            EntryLabel((*Pal)[index], PaletteTexts));
        if (event->type() == QEvent::MouseButtonPress && m->button() == Qt::LeftButton && OnChoose)
            OnChoose(index);
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

bool TColorChartForm::PrintTo(QPagedPaintDevice& device) const {
    return Pal && PaintColorChartPage(device, *Pal, Texts.Get(3), Texts.Get(9)) == 0;
}

void TColorChartForm::PrintClick() {
    if (Pal)
        PreviewPages(this, Texts.Get(4), [this](QPagedPaintDevice& device) {
            return PaintColorChartPage(device, *Pal, Texts.Get(3), Texts.Get(9));
        });
}
