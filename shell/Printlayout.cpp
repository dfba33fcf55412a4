#include "shell/Printlayout.h"

#include "shell/Print.h"

#include <algorithm>
#include <cmath>

double KeyEntryHeight(int deviceDpi) {
    return deviceDpi * 0.25;
}

double KeyEntryWidth(int deviceDpi) {
    return deviceDpi * 2.5;
}

double TileMargin(int deviceDpi) {
    return deviceDpi * 0.3;
}

namespace {

// Entries the key holds in rect, laid out in columns.
int KeyCapacity(const QRectF& rect, int deviceDpi) {
    const int columns = std::max(1, int(rect.width() / KeyEntryWidth(deviceDpi)));
    const int rows = int(rect.height() / KeyEntryHeight(deviceDpi));
    return std::max(0, columns * rows);
}

// Adds the key: below the last sheet's design when it fits there, else on sheets of its own.
void PlanKey(TPrintPlan& plan, const QRect& page, int deviceDpi, int entries) {
    if (entries <= 0 || plan.Sheets.empty()) return;
    TPrintSheet& last = plan.Sheets.back();
    if (plan.Layout != TPrintLayout::Tile) {
        const double gap = KeyEntryHeight(deviceDpi);
        const QRectF below(page.left(), last.Target.bottom() + gap, page.width(),
                           page.bottom() + 1 - last.Target.bottom() - gap);
        if (below.height() > 0 && KeyCapacity(below, deviceDpi) >= entries) {
            last.KeyCount = entries;
            last.KeyArea = below;
            return;
        }
    }
    const QRectF whole(page);
    const int capacity = KeyCapacity(whole.adjusted(0, KeyEntryHeight(deviceDpi) * 2, 0, 0), deviceDpi);
    if (capacity <= 0) return;
    for (int first = 0; first < entries; first += capacity) {
        TPrintSheet sheet;
        sheet.KeyFirst = first;
        sheet.KeyCount = std::min(capacity, entries - first);
        sheet.KeyArea = whole;
        plan.Sheets.push_back(sheet);
    }
}

void PlanTiles(TPrintPlan& plan, QSize area, const QRect& page, int deviceDpi,
               const TPrintSettings& settings) {
    const double margin = settings.Marks ? TileMargin(deviceDpi) : 0;
    plan.Layout = TPrintLayout::Tile;
    plan.Content = QRectF(page).adjusted(margin, margin, -margin, -margin);
    const int perW = int(plan.Content.width() / plan.Scale), perH = int(plan.Content.height() / plan.Scale);
    if (perW < 2 || perH < 2) return;
    const double overlapMm = std::isfinite(settings.OverlapMm) ? std::max(0.0, settings.OverlapMm) : 0;
    const int overlap =
        std::min({int(std::lround(overlapMm / 25.4 * deviceDpi / plan.Scale)), perW / 2, perH / 2});
    plan.OverlapPixels = overlap;
    const int stepW = perW - overlap, stepH = perH - overlap;
    plan.Columns = 1 + (std::max(0, area.width() - perW) + stepW - 1) / stepW;
    plan.Rows = 1 + (std::max(0, area.height() - perH) + stepH - 1) / stepH;
    if (qint64(plan.Columns) * plan.Rows > kMaxPrintSheets) return;
    for (int r = 0; r < plan.Rows; ++r)
        for (int c = 0; c < plan.Columns; ++c) {
            TPrintSheet sheet;
            sheet.Row = r, sheet.Column = c;
            sheet.Source = QRect(c * stepW, r * stepH, std::min(perW, area.width() - c * stepW),
                                 std::min(perH, area.height() - r * stepH));
            // Top-left aligned, so every sheet's design pixels sit on the same grid.
            sheet.Target = QRectF(plan.Content.topLeft(), QSizeF(sheet.Source.size()) * plan.Scale);
            plan.Sheets.push_back(sheet);
        }
}

} // namespace

TPrintPlan PlanPrint(QSize area, int designDpi, const QRect& page, int deviceDpi,
                     const TPrintSettings& settings, int keyEntries) {
    TPrintPlan plan;
    if (area.isEmpty() || page.isEmpty() || deviceDpi <= 0) return plan;
    designDpi = std::max(1, designDpi);
    plan.Layout = settings.Layout;
    plan.Scale = double(deviceDpi) / designDpi;
    plan.Content = QRectF(page);
    const QSizeF trueSize = QSizeF(area) * plan.Scale;
    if (settings.Layout == TPrintLayout::TrueSize &&
        (trueSize.width() > page.width() || trueSize.height() > page.height()))
        plan.FellBack = true;
    if (settings.Layout == TPrintLayout::Tile || plan.FellBack) {
        PlanTiles(plan, area, page, deviceDpi, settings);
        if (plan.Sheets.empty()) return TPrintPlan{};
    } else {
        TPrintSheet sheet;
        sheet.Source = QRect(QPoint(0, 0), area);
        if (settings.Layout == TPrintLayout::Fit) {
            sheet.Target = QRectF(FitPlacement(area, page));
            plan.Scale = sheet.Target.width() / area.width();
        } else {
            sheet.Target = QRectF(page.left() + (page.width() - trueSize.width()) / 2,
                                  page.top() + (page.height() - trueSize.height()) / 2, trueSize.width(),
                                  trueSize.height());
        }
        plan.Sheets.push_back(sheet);
    }
    if (settings.ColourKey) PlanKey(plan, page, deviceDpi, keyEntries);
    return plan;
}
