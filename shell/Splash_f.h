#pragma once
// The picture shown while the program starts: Bin/carpet/splash.bmp.
#include <QSplashScreen>

class TSplashForm : public QSplashScreen {
    Q_OBJECT
  public:
    TSplashForm();
    bool HasPicture() const { return !pixmap().isNull(); }
};
