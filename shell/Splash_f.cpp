#include "shell/Splash_f.h"

#include "shell/Common.h"
#include "shell/Paths.h"

#include <QPixmap>

TSplashForm::TSplashForm() {
    // The folder name is concatenated as it stands; the file name is joined.
    const QPixmap picture(JoinPath(ProgramDirectory() + "/carpet", QStringLiteral("splash.bmp")));
    if (!picture.isNull()) {
        setPixmap(picture);
        resize(picture.size());
    }
}
