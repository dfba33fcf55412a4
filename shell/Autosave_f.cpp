#include "shell/Autosave_f.h"

#include "shell/Common.h"
#include "shell/Stringtable.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace {
// "Saving the design automatically. Please wait..." in the "Message" table.
constexpr int kAutoSaveMessage = 12;

QString AutoSaveText() {
    if (AppTables.Message) return AppTables.Message->Get(kAutoSaveMessage);
    TStringTable messages; // before the tables are loaded: read the entry directly
    messages.Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Message"));
    return messages.Get(kAutoSaveMessage);
}

QPixmap Blank(int size) {
    QPixmap picture(std::max(size, 8), std::max(size, 8));
    picture.fill(Qt::transparent);
    return picture;
}
} // namespace

QPixmap AutoSaveDiskPicture(int size) {
    QPixmap picture = Blank(size);
    const double s = picture.width();
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // Body with a cut corner, metal shutter and paper label.
    const QPointF body[] = {
        {s * 0.1, s * 0.1}, {s * 0.78, s * 0.1}, {s * 0.9, s * 0.22}, {s * 0.9, s * 0.9}, {s * 0.1, s * 0.9}};
    p.setPen(QPen(QColor(20, 30, 70), std::max(1.0, s / 24)));
    p.setBrush(QColor(40, 70, 160));
    p.drawPolygon(body, 5);
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(s * 0.28, s * 0.1, s * 0.4, s * 0.26));
    p.setBrush(QColor(40, 70, 160));
    p.drawRect(QRectF(s * 0.52, s * 0.14, s * 0.1, s * 0.18));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(s * 0.22, s * 0.5, s * 0.56, s * 0.36));
    return picture;
}

QPixmap AutoSaveClockPicture(int size) {
    QPixmap picture = Blank(size);
    const double s = picture.width();
    const QPointF centre(s / 2, s / 2);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), std::max(1.0, s / 16)));
    p.setBrush(QColor(255, 250, 230));
    p.drawEllipse(centre, s * 0.42, s * 0.42);
    // Hour ticks, then the hands at ten past ten.
    p.setPen(QPen(QColor(60, 60, 60), std::max(1.0, s / 32)));
    for (int h = 0; h < 12; ++h) {
        p.save();
        p.translate(centre);
        p.rotate(h * 30.0);
        p.drawLine(QPointF(0, -s * 0.36), QPointF(0, -s * 0.31));
        p.restore();
    }
    p.setPen(QPen(Qt::black, std::max(1.0, s / 14), Qt::SolidLine, Qt::RoundCap));
    p.translate(centre);
    p.save();
    p.rotate(-60.0);
    p.drawLine(QPointF(0, 0), QPointF(0, -s * 0.2));
    p.restore();
    p.rotate(60.0);
    p.drawLine(QPointF(0, 0), QPointF(0, -s * 0.3));
    return picture;
}

TAutoSaveForm::TAutoSaveForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    imDisk = new QLabel;
    imDisk->setPixmap(AutoSaveDiskPicture(32));
    imClock = new QLabel;
    imClock->setPixmap(AutoSaveClockPicture(32));
    lbCaption = new QLabel(AutoSaveText());
    auto* row = new QHBoxLayout(frame);
    row->addWidget(imDisk);
    row->addWidget(lbCaption, 1);
    row->addWidget(imClock);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    adjustSize();
}

void TAutoSaveForm::ShowNow() {
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area = over ? over->frameGeometry() : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid()) move(area.center() - rect().center());
    show();
    raise();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
