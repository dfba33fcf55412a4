#include "shell/Scannersetup_f.h"

#include "platform/Inifile.h"
#include "shell/Common.h"
#include "shell/Dialogbuttons_f.h"
#include "shell/Exception.h"
#include "shell/Scansettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

TScannerSetupForm::TScannerSetupForm(const std::vector<TScanDevice>& devices, QWidget* parent,
                                     const QString& iniPath)
    : QDialog(parent), IniPath(iniPath) {
    Texts.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("ScannerSetup"));
    setWindowTitle(Texts.Get(0));
    if (IniPath.isEmpty()) IniPath = SettingsFile(QStringLiteral("Environment.ini"));
    const TScanSettings settings = ReadScanSettings(TIniFile(IniPath));
    Wanted = settings.Resolution;
    cbDevice = new QComboBox;
    for (const TScanDevice& d : devices)
        cbDevice->addItem(d.Caption(), d.Name);
    cbResolution = new QComboBox;
    QDialogButtonBox* buttons = MakeOkCancel(this, Texts.Get(3), Texts.Get(4), [this] { btOKClick(); });
    btOK = buttons->button(QDialogButtonBox::Ok);
    btCancel = buttons->button(QDialogButtonBox::Cancel);
    auto* form = new QFormLayout;
    form->addRow(Texts.Get(1), cbDevice);
    form->addRow(Texts.Get(2), cbResolution);
    auto* all = new QVBoxLayout(this);
    all->addLayout(form);
    all->addWidget(buttons);
    connect(cbDevice, &QComboBox::currentIndexChanged, this, &TScannerSetupForm::cbDeviceChange);
    cbDevice->setCurrentIndex(std::max(0, cbDevice->findData(settings.Device)));
    cbDeviceChange();
}

void TScannerSetupForm::cbDeviceChange() {
    // The device's own resolutions; the one chosen before (or its present one) first.
    const int keep = cbResolution->count() ? cbResolution->currentData().toInt() : Wanted;
    cbResolution->clear();
    TScanSession session;
    if (cbDevice->count() == 0 || session.Open(cbDevice->currentData().toString()) != 0) {
        btOK->setEnabled(false);
        return;
    }
    const int present = keep > 0 ? keep : session.Resolution();
    for (int dpi : session.Resolutions())
        cbResolution->addItem(QString::number(dpi), dpi);
    const int at = cbResolution->findData(present);
    cbResolution->setCurrentIndex(at >= 0 ? at : 0);
    btOK->setEnabled(true);
}

void TScannerSetupForm::btOKClick() {
    TIniFile ini(IniPath);
    WriteScanSettings(ini, {cbDevice->currentData().toString(), cbResolution->currentData().toInt()});
    if (!ini.UpdateFile()) ReportError(ErrorCode::CannotWriteFile, MB_OK, IniPath);
    accept();
}
