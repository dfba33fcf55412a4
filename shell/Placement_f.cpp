#include "shell/Placement_f.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace {
// The global y just below the menu bar of the main window that owns w; none: INT_MIN.
int MenuBarBottom(const QWidget* w) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (const auto* main = qobject_cast<const QMainWindow*>(p))
            if (const QWidget* bar = main->menuWidget())
                return bar->mapToGlobal(QPoint(0, bar->height())).y();
    return std::numeric_limits<int>::min();
}
} // namespace

void PlaceInsideScreen(QWidget* window, QPoint wanted) {
    const QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen) screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    const int top = std::max(area.top(), MenuBarBottom(window));
    const int x = std::clamp(wanted.x(), area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    const int y = std::clamp(wanted.y(), top, std::max(top, area.bottom() + 1 - size.height()));
    window->move(x, y);
}
