#include "textile/Disk_f.h"

#include "shell/Common.h"
#include "shell/Dialogbuttons_f.h"
#include "shell/Exception.h"
#include "shell/Filedialog_f.h"
#include "shell/Tdocument.h"
#include "textile/Diskaccess.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kImageLine = 2; // the line after A: and B:
}

TDiskForm::TDiskForm(TDocument& document, const TCurrentColour& colour, QWidget* parent)
    : QDialog(parent), Document(document), Colour(colour) {
    Texts.Load(LanguageDirectory(QStringLiteral("Carpet")), Configuration.Language,
               QStringLiteral("CarpetTable"));
    DiskTexts.Load(LanguageDirectory(QStringLiteral("Carpet")), Configuration.Language,
                   QStringLiteral("DiskManager"));
    setWindowTitle(Texts.Get(7));
    lbDrive = new QListWidget;
    int first525 = -1;
    for (int drive = 0; drive < 2; ++drive) {
        const TDriveKind kind = DetectDrive(drive);
        const int entry = kind == TDriveKind::Inch525 ? 10 : kind == TDriveKind::Inch35 ? 11 : 12;
        auto* line = new QListWidgetItem(Texts.Get(entry).replace(QLatin1String("%c"), QChar(u'A' + drive)));
        if (kind == TDriveKind::None) line->setFlags(line->flags() & ~Qt::ItemIsEnabled);
        lbDrive->addItem(line);
        if (kind == TDriveKind::Inch525 && first525 < 0) first525 = drive;
    }
    lbDrive->addItem(DiskTexts.Get(0));
    // The first 5.25-inch drive, else the image file, which every machine has.
    lbDrive->setCurrentRow(first525 >= 0 ? first525 : kImageLine);

    sbRead = new QPushButton(Texts.Get(8));
    sbWrite = new QPushButton(Texts.Get(9));
    auto* direction = new QButtonGroup(this);
    for (QPushButton* b : {sbRead, sbWrite}) {
        b->setCheckable(true);
        direction->addButton(b);
    }
    sbRead->setChecked(true);
    pbTransfer = new QProgressBar;
    pbTransfer->setRange(0, 80);
    pbTransfer->setValue(0);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sbRead);
    buttons->addWidget(sbWrite);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbDrive);
    layout->addLayout(buttons);
    layout->addWidget(pbTransfer);
    layout->addWidget(MakeOkCancel(this, DiskTexts.Get(2), DiskTexts.Get(3), [this] { btOKClick(); }));
}

void TDiskForm::reject() {
    if (Busy)
        CancelAsked = true;
    else
        QDialog::reject();
}

bool TDiskForm::Progress(int step) {
    pbTransfer->setValue(step);
    QApplication::processEvents(); // the bar moves and Cancel is heard
    return !CancelAsked;
}

void TDiskForm::btOKClick() {
    if (Busy) return;
    const bool write = sbWrite->isChecked();
    const int row = lbDrive->currentRow();
    std::unique_ptr<TDiskTarget> target;
    if (row == kImageLine) {
        const QString path = PlainFileDialog(this, QString(), DiskTexts.Get(1), write);
        if (path.isEmpty()) return;
        target = MakeImageFileTarget(path);
    } else if (row >= 0 && row < kImageLine) {
        target = MakeDeviceTarget(DriveDevice(row));
    } else {
        return;
    }
    Busy = true, CancelAsked = false;
    setCursor(Qt::WaitCursor);
    const auto progress = [this](int step) { return Progress(step); };
    const uint32_t code = write ? WriteCarpetDiskette(Document, *target, progress)
                                : ReadCarpetDiskette(Document, *target, Colour, progress);
    unsetCursor();
    Busy = false;
    pbTransfer->setValue(0);
    if (!write && !code) Read = true;
    if (code == kDiskCancelled) return;
    if (code) {
        ReportError(code);
        return;
    }
    accept();
}

bool ShowDiskManager(QWidget* parent, TDocument& document, const TCurrentColour& colour) {
    TDiskForm form(document, colour, parent);
    form.exec();
    return form.DisketteRead();
}
