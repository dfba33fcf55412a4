#include "tools/Undolist_f.h"

#include "raster/Undo.h"
#include "shell/Common.h"

#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QString RecordText(const TUndoEntry& e) {
    QStringList what;
    if (e.Flags & UndoPicture) what << QStringLiteral("pixels");
    if (e.Flags & UndoMask) what << QStringLiteral("mask");
    if (e.Flags & UndoRegion) what << QStringLiteral("selection");
    return QStringLiteral("%1 x %2 at %3, %4  (%5)  %6")
        .arg(e.Rect.width())
        .arg(e.Rect.height())
        .arg(e.Rect.x())
        .arg(e.Rect.y())
        .arg(what.join(QStringLiteral(", ")), e.InMemory ? QStringLiteral("memory") : QStringLiteral("disk"));
}
} // namespace

TUndoForm::TUndoForm(TUndo& store, QWidget* parent) : QWidget(parent, Qt::Tool), Store(store) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Undo"));
    setWindowTitle(Texts.Get(1));
    lbDesign = new QLabel;
    lbRecords = new QListWidget;
    lbRecords->setMinimumSize(240, 160);
    seMaxUndo = new QSpinBox;
    seMaxUndo->setRange(1, 99);
    seMaxUndo->setValue(Store.MaxUndo());
    btUndoLast = new QPushButton(Texts.Get(2));
    btUndoTo = new QPushButton(Texts.Get(3));
    btClear = new QPushButton(Texts.Get(4));
    btClose = new QPushButton(Texts.Get(5));
    auto* form = new QFormLayout;
    form->addRow(Texts.Get(7), seMaxUndo);
    auto* all = new QVBoxLayout(this);
    all->addWidget(lbDesign);
    all->addWidget(lbRecords, 1);
    all->addLayout(form);
    for (QPushButton* b : {btUndoLast, btUndoTo, btClear, btClose})
        all->addWidget(b);
    // The only place where the number of kept records changes.
    connect(seMaxUndo, &QSpinBox::valueChanged, this, [this](int n) {
        Store.SetMaxUndo(n);
        Refresh();
    });
    connect(btUndoLast, &QPushButton::clicked, this, [this] { UndoTo(0); });
    connect(btUndoTo, &QPushButton::clicked, this, [this] { UndoTo(lbRecords->currentRow()); });
    connect(btClear, &QPushButton::clicked, this, [this] {
        Store.Clear();
        Refresh();
        if (OnCleared) OnCleared();
    });
    connect(btClose, &QPushButton::clicked, this, &QWidget::close);
    Refresh();
}

void TUndoForm::Refresh() {
    lbDesign->setText(Texts.Get(6) + QStringLiteral(" %1").arg(Store.Owner()));
    const std::vector<TUndoEntry> entries = Store.Entries();
    QStringList lines;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        lines << RecordText(*it);
    QStringList shown;
    for (int i = 0; i < lbRecords->count(); ++i)
        shown << lbRecords->item(i)->text();
    if (lines != shown) { // the timer refreshes often: keep the user's choice while nothing changed
        lbRecords->clear();
        lbRecords->addItems(lines);
        if (!lines.isEmpty()) lbRecords->setCurrentRow(0);
    }
    for (QPushButton* b : {btUndoLast, btUndoTo, btClear})
        b->setEnabled(!entries.empty());
}

void TUndoForm::UndoTo(int row) {
    // Row 0 is the newest record: undoing down to row k takes k + 1 undos.
    for (int k = 0; k <= row; ++k)
        if (!OnUndo || !OnUndo()) break;
    Refresh();
}
