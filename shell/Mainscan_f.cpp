// The main window's scanner commands. Finding the devices can take seconds
// (SANE asks every backend), so start-up never waits: a worker thread probes
// once and the items are enabled when its answer arrives on the window's thread.
#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Exception.h"
#include "shell/Main_f.h"
#include "shell/Mainimage_f.h"
#include "shell/Mainmenu_f.h"
#include "shell/Scannersetup_f.h"
#include "shell/Scanning.h"
#include "shell/Scansettings.h"
#include "shell/Stringtable.h"

#include <QAction>
#include <QApplication>
#include <QProgressDialog>

void TMainForm::StartScannerProbe() {
    connect(FScanningItem, &QAction::triggered, this, &TMainForm::FScanningClick);
    connect(FScannerSetupItem, &QAction::triggered, this, &TMainForm::FScannerSetupClick);
    MainMenu_->OnScan = [this] { FScanningClick(); };
    ScanProbe_ = QThread::create([this] {
        std::vector<TScanDevice> devices = ScanDevices();
        QMetaObject::invokeMethod(
            this, [this, devices = std::move(devices)] { ScannersFound(devices); }, Qt::QueuedConnection);
    });
    ScanProbe_->setParent(this);
    ScanProbe_->start();
}

void TMainForm::ScannersFound(const std::vector<TScanDevice>& devices) {
    Scanners_ = devices;
    UpdateScanItems();
}

void TMainForm::UpdateScanItems() {
    const bool found = !Scanners_.empty();
    FScannerSetupItem->setEnabled(found);
    FScanningItem->setEnabled(found && CurrentDocument());
    MainMenu_->SetScannerFound(found);
}

void TMainForm::FScannerSetupClick() {
    TScannerSetupForm form(Scanners_, this);
    form.exec();
}

void TMainForm::FScanningClick() {
    QPointer<TMainImageForm> form = CurrentDocument();
    if (!form) return;
    const TScanSettings settings =
        ReadScanSettings(TIniFile(SettingsFile(QStringLiteral("Environment.ini"))));
    TScanSession session;
    if (const uint32_t code = session.Open(settings.Device)) {
        ReportError(code);
        return;
    }
    session.SetColourMode();
    if (settings.Resolution > 0) session.SetResolution(settings.Resolution);
    TStringTable texts;
    texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("ScannerSetup"));
    QProgressDialog bar(texts.Get(5), texts.Get(4), 0, 100, this);
    bar.setWindowModality(Qt::ApplicationModal); // the design stays as it is while the scan reads
    bar.setMinimumDuration(0);
    bar.setObjectName(QStringLiteral("ScanProgress"));
    // Between reads the windows repaint and Cancel is heard; a design closed meanwhile cancels.
    ScanDocument(form->Document(), session, [&](int percent) {
        bar.setValue(percent);
        QApplication::processEvents();
        return !bar.wasCanceled() && form;
    });
}
