#include "platform/Scanner.h"

#include "platform/Bitmaphandle.h"
#include "shell/Exception.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <QThread>
#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

// One SANE library for the process: started on first use, left at exit.
class TSaneLibrary {
  public:
    static TSaneLibrary& Get() {
        static TSaneLibrary library;
        return library;
    }
    std::recursive_mutex Lock;
    bool Ready = false;

  private:
    TSaneLibrary() {
        SANE_Int version = 0;
        Ready = sane_init(&version, nullptr) == SANE_STATUS_GOOD;
    }
    ~TSaneLibrary() {
#ifndef VELMORA_SANITIZE
        if (Ready) sane_exit();
#endif
        // Under AddressSanitizer the backends stay loaded, so that the leak check
        // at exit can name their allocations (scripts/lsan.supp) instead of
        // reporting frames of unloaded code.
    }
};

using TGuard = std::lock_guard<std::recursive_mutex>;

SANE_Handle Sane(void* handle) {
    return static_cast<SANE_Handle>(handle);
}

// Rows of one frame converted into the picture: RGB interleaved, one channel of
// a three-pass scan, gray at 8 or 16 bits, or lineart (bit set: black).
void StoreFrame(const SANE_Parameters& p, const QByteArray& data, QImage& image) {
    const int lines = int(data.size() / p.bytes_per_line);
    const bool colour = image.format() == QImage::Format_RGB888;
    const int channel = p.format == SANE_FRAME_RED ? 0 : p.format == SANE_FRAME_GREEN ? 1 : 2;
    for (int y = 0; y < std::min(lines, image.height()); ++y) {
        const auto* s = reinterpret_cast<const uint8_t*>(data.constData()) + qsizetype(y) * p.bytes_per_line;
        uint8_t* d = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const int samples = p.format == SANE_FRAME_RGB ? 3 : 1;
            uint8_t v[3];
            for (int c = 0; c < samples; ++c) {
                const int at = x * samples + c;
                if (p.depth == 1)
                    v[c] = (s[at / 8] >> (7 - at % 8)) & 1 ? 0 : 255;
                else if (p.depth == 16) // native byte order: take the high byte
                    v[c] = uint8_t(reinterpret_cast<const uint16_t*>(s)[at] >> 8);
                else
                    v[c] = s[at];
            }
            if (!colour)
                d[x] = v[0];
            else if (samples == 3)
                std::memcpy(d + 3 * x, v, 3);
            else if (p.format == SANE_FRAME_GRAY)
                d[3 * x] = d[3 * x + 1] = d[3 * x + 2] = v[0];
            else
                d[3 * x + channel] = v[0];
        }
    }
}

// A frame this layer can store: a known kind and depth, rows long enough for their
// pixels, and after the first frame the first frame's width.
bool FrameFits(const SANE_Parameters& p, const QImage& image) {
    const bool known = p.format == SANE_FRAME_GRAY || p.format == SANE_FRAME_RGB ||
                       p.format == SANE_FRAME_RED || p.format == SANE_FRAME_GREEN ||
                       p.format == SANE_FRAME_BLUE;
    if (!known || (p.depth != 1 && p.depth != 8 && p.depth != 16)) return false;
    const int64_t samples = int64_t(p.pixels_per_line) * (p.format == SANE_FRAME_RGB ? 3 : 1);
    if (p.bytes_per_line < (samples * p.depth + 7) / 8) return false;
    return image.isNull() ||
           (image.width() == p.pixels_per_line && p.format != SANE_FRAME_GRAY && p.format != SANE_FRAME_RGB);
}

} // namespace

QString TScanDevice::Caption() const {
    return QStringLiteral("%1 %2 (%3)").arg(Vendor, Model, Name);
}

std::vector<TScanDevice> ScanDevices() {
    TSaneLibrary& sane = TSaneLibrary::Get();
    const TGuard lock(sane.Lock);
    std::vector<TScanDevice> out;
    const SANE_Device** list = nullptr;
    if (!sane.Ready || sane_get_devices(&list, SANE_TRUE) != SANE_STATUS_GOOD || !list) return out;
    for (int i = 0; list[i]; ++i)
        out.push_back({QString::fromUtf8(list[i]->name), QString::fromUtf8(list[i]->vendor),
                       QString::fromUtf8(list[i]->model), QString::fromUtf8(list[i]->type)});
    return out;
}

TScanSession::~TScanSession() {
    if (!Handle) return;
    const TGuard lock(TSaneLibrary::Get().Lock);
    sane_close(Sane(Handle));
}

uint32_t TScanSession::Open(const QString& device) {
    QString name = device;
    if (name.isEmpty()) {
        const std::vector<TScanDevice> devices = ScanDevices();
        if (devices.empty()) return ErrorCode::NoScanner;
        name = devices.front().Name;
    }
    TSaneLibrary& sane = TSaneLibrary::Get();
    const TGuard lock(sane.Lock);
    SANE_Handle handle = nullptr;
    if (!sane.Ready || sane_open(name.toUtf8().constData(), &handle) != SANE_STATUS_GOOD || !handle)
        return ErrorCode::NoScanner;
    if (Handle) sane_close(Sane(Handle));
    Handle = handle;
    return 0;
}

int TScanSession::OptionIndex(const char* name) const {
    if (!Handle) return -1;
    for (int i = 1;; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(Sane(Handle), i);
        if (!d) return -1;
        if (d->name && std::strcmp(d->name, name) == 0 && SANE_OPTION_IS_ACTIVE(d->cap)) return i;
    }
}

std::vector<int> TScanSession::Resolutions() const {
    const TGuard lock(TSaneLibrary::Get().Lock);
    const int i = OptionIndex(SANE_NAME_SCAN_RESOLUTION);
    std::vector<int> out;
    if (i < 0) return out;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(Sane(Handle), i);
    auto dpi = [d](SANE_Word w) { return d->type == SANE_TYPE_FIXED ? int(SANE_UNFIX(w) + 0.5) : int(w); };
    if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        const SANE_Word* list = d->constraint.word_list;
        for (int k = 1; k <= list[0]; ++k)
            out.push_back(dpi(list[k]));
    } else if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
        // A range offers the usual steps that fall inside it, and its ends.
        const int low = std::max(1, dpi(d->constraint.range->min)), high = dpi(d->constraint.range->max);
        out.push_back(low);
        for (int v : {50, 75, 100, 150, 200, 300, 400, 600, 1200, 2400})
            if (v > low && v < high) out.push_back(v);
        if (high > low) out.push_back(high);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

int TScanSession::Resolution() const {
    const TGuard lock(TSaneLibrary::Get().Lock);
    const int i = OptionIndex(SANE_NAME_SCAN_RESOLUTION);
    if (i < 0) return 0;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(Sane(Handle), i);
    SANE_Word w = 0;
    if (sane_control_option(Sane(Handle), i, SANE_ACTION_GET_VALUE, &w, nullptr) != SANE_STATUS_GOOD)
        return 0;
    return d->type == SANE_TYPE_FIXED ? int(SANE_UNFIX(w) + 0.5) : int(w);
}

bool TScanSession::SetResolution(int dpi) {
    const TGuard lock(TSaneLibrary::Get().Lock);
    const int i = OptionIndex(SANE_NAME_SCAN_RESOLUTION);
    if (i < 0 || dpi <= 0) return false;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(Sane(Handle), i);
    SANE_Word w = d->type == SANE_TYPE_FIXED ? SANE_FIX(double(dpi)) : SANE_Word(dpi);
    return sane_control_option(Sane(Handle), i, SANE_ACTION_SET_VALUE, &w, nullptr) == SANE_STATUS_GOOD;
}

void TScanSession::SetColourMode() {
    SetOption(SANE_NAME_SCAN_MODE, QStringLiteral(SANE_VALUE_SCAN_MODE_COLOR));
    SetOption(SANE_NAME_BIT_DEPTH, QStringLiteral("8"));
}

bool TScanSession::SetOption(const char* name, const QString& value) {
    const TGuard lock(TSaneLibrary::Get().Lock);
    const int i = OptionIndex(name);
    if (i < 0) return false;
    const SANE_Option_Descriptor* d = sane_get_option_descriptor(Sane(Handle), i);
    if (d->type == SANE_TYPE_STRING) {
        QByteArray text = value.toUtf8();
        if (text.size() >= d->size) return false; // the device's buffer holds it with its end
        text.resize(d->size, '\0');
        return sane_control_option(Sane(Handle), i, SANE_ACTION_SET_VALUE, text.data(), nullptr) ==
               SANE_STATUS_GOOD;
    }
    if (d->size != SANE_Int(sizeof(SANE_Word))) return false; // one value, no arrays
    bool ok = true;
    SANE_Word w = 0;
    if (d->type == SANE_TYPE_BOOL)
        w = value == QLatin1String("true") ? SANE_TRUE : SANE_FALSE;
    else if (d->type == SANE_TYPE_FIXED)
        w = SANE_FIX(value.toDouble(&ok));
    else if (d->type == SANE_TYPE_INT)
        w = value.toInt(&ok);
    else
        ok = false;
    return ok && sane_control_option(Sane(Handle), i, SANE_ACTION_SET_VALUE, &w, nullptr) == SANE_STATUS_GOOD;
}

TScanResult TScanSession::Acquire(const TScanProgress& progress) {
    TScanResult result;
    if (!Handle) {
        result.Code = ErrorCode::NoScanner;
        return result;
    }
    TSaneLibrary& sane = TSaneLibrary::Get();
    auto stop = [&](uint32_t code, bool cancelled) {
        const TGuard lock(sane.Lock);
        sane_cancel(Sane(Handle));
        result.Code = code;
        result.Cancelled = cancelled;
        result.Image = QImage();
        return result;
    };
    std::vector<uint8_t> chunk(size_t(1) << 16);
    for (bool last = false; !last;) {
        SANE_Parameters p{};
        {
            const TGuard lock(sane.Lock);
            if (sane_start(Sane(Handle)) != SANE_STATUS_GOOD ||
                sane_get_parameters(Sane(Handle), &p) != SANE_STATUS_GOOD)
                return stop(ErrorCode::ScanFailed, false);
            sane_set_io_mode(Sane(Handle), SANE_TRUE); // where offered: reads never block
        }
        last = p.last_frame;
        if (p.pixels_per_line <= 0 || p.bytes_per_line <= 0 || p.lines == 0)
            return stop(ErrorCode::ScanEmpty, false);
        if (p.pixels_per_line > kMaxBitmapSide || p.lines > kMaxBitmapSide)
            return stop(ErrorCode::ScanTooLarge, false);
        if (!FrameFits(p, result.Image)) return stop(ErrorCode::ScanFailed, false);
        // A device that does not know its height (a hand scanner) ends the frame with EOF.
        const qsizetype limit = qsizetype(p.bytes_per_line) * (p.lines > 0 ? p.lines : kMaxBitmapSide);
        QByteArray data;
        for (;;) {
            SANE_Int length = 0;
            SANE_Status status;
            {
                const TGuard lock(sane.Lock);
                status = sane_read(Sane(Handle), chunk.data(), SANE_Int(chunk.size()), &length);
            }
            if (status == SANE_STATUS_EOF) break;
            if (status == SANE_STATUS_CANCELLED) return stop(0, true);
            if (status != SANE_STATUS_GOOD) return stop(ErrorCode::ScanFailed, false);
            if (data.size() + length > limit) return stop(ErrorCode::ScanTooLarge, false);
            data.append(reinterpret_cast<const char*>(chunk.data()), length);
            const int percent = p.lines > 0 ? int(data.size() * 100 / limit) : 0;
            if (progress && !progress(std::min(percent, 100))) return stop(0, true);
            if (length == 0) QThread::msleep(5); // nothing ready yet
        }
        const int lines = int(data.size() / p.bytes_per_line);
        if (lines == 0) return stop(ErrorCode::ScanEmpty, false);
        if (result.Image.isNull()) {
            const bool colour = p.format != SANE_FRAME_GRAY;
            result.Image =
                QImage(p.pixels_per_line, lines, colour ? QImage::Format_RGB888 : QImage::Format_Grayscale8);
            if (result.Image.isNull()) return stop(ErrorCode::ScanTooLarge, false);
            result.Image.fill(0);
        }
        StoreFrame(p, data, result.Image);
    }
    const TGuard lock(sane.Lock);
    sane_cancel(Sane(Handle)); // the device is ready for the next scan
    return result;
}
