#pragma once
// Scanner Setup: the device to scan from and its resolution. The device list is
// given (the main window's probe found it); each choice opens the device to
// offer its resolutions. OK keeps both in the settings ini (Scansettings.h).

#include "platform/Scanner.h"
#include "shell/Stringtable.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QPushButton;

class TScannerSetupForm : public QDialog {
    Q_OBJECT
  public:
    // iniPath: the settings file (empty: the user's Environment.ini).
    TScannerSetupForm(const std::vector<TScanDevice>& devices, QWidget* parent = nullptr,
                      const QString& iniPath = QString());

    QComboBox* cbDevice = nullptr;
    QComboBox* cbResolution = nullptr;
    QPushButton *btOK = nullptr, *btCancel = nullptr;

  private:
    void cbDeviceChange();
    void btOKClick();

    TStringTable Texts;
    QString IniPath;
    int Wanted = 0; // the resolution to offer first
};
