#include "wml/WbmpImage.h"

#include "wml/FileUtil.h"

#include <QImage>
#include <QLoggingCategory>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

// Diagnostics of the reader; off unless QT_LOGGING_RULES turns on "tess.wbmp.debug".
Q_LOGGING_CATEGORY(lcWbmp, "tess.wbmp", QtWarningMsg)

namespace tess {

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
// A picture is painted in bands of at most this many bytes, so that even the
// largest header (16383 x 16383 pixels) never needs one huge image at once.
constexpr int kBandBytes = 1024 * 1024;

// The header's fields, read from the front of `bytes`.
class HeaderReader
{
public:
    explicit HeaderReader(std::string_view bytes)
        : m_bytes(bytes)
    { }

    bool byte(std::uint8_t &value)
    {
        if (m_at >= m_bytes.size())
            return false;
        value = static_cast<std::uint8_t>(m_bytes[m_at++]);
        return true;
    }

    // One byte, or two when the first has bit 7 set; a third is never read,
    // so the largest value is 16383.
    bool multiByte(int &value)
    {
        std::uint8_t first = 0;
        if (!byte(first))
            return false;
        if (!(first & 0x80)) {
            value = first;
            return true;
        }
        std::uint8_t second = 0;
        if (!byte(second))
            return false;
        value = ((first & 0x7F) << 7) | (second & 0x7F);
        return true;
    }

    std::string_view rest() const { return m_bytes.substr(m_at); }

private:
    std::string_view m_bytes;
    size_t m_at = 0;
};

} // namespace

void WbmpImage::reset()
{
    Close();
    m_type = 0;
    m_fixHeader = 0;
    m_width = 0;
    m_height = 0;
}

bool WbmpImage::Open(const std::string &path)
{
    reset();
    // Read no more than the largest picture needs: only a regular file is
    // opened, so a FIFO or a device named as a picture cannot hold the
    // design up, and a huge file costs no more than that.
    const std::optional<std::string> bytes = readFileHead(path, kLargestFile);
    if (!bytes) {
        qCDebug(lcWbmp, "WbmpImage::OpenWbmp  Unable to open file[%s]", path.c_str());
        return false;
    }
    return Decode(*bytes);
}

bool WbmpImage::Decode(std::string_view bytes)
{
    reset();

    const auto fail = [] {
        qCDebug(lcWbmp, "Exception occur while reading the file");
        return false;
    };
    HeaderReader header(bytes);
    if (!header.byte(m_type))
        return fail();
    if (m_type != 0)
        return true;
    if (!header.byte(m_fixHeader))
        return fail();
    if (m_fixHeader & 0x80) {
        std::uint8_t ext = 0;
        do {
            if (!header.byte(ext))
                return fail();
        } while (ext & 0x80);
    }
    int width = 0;
    int height = 0;
    if (!header.multiByte(width) || !header.multiByte(height))
        return fail();

    // Keep no more than the picture needs and no more than the file holds:
    // a 20-byte file claiming 16383 x 16383 pixels costs 20 bytes here.
    const size_t need = static_cast<size_t>((width + 7) / 8) * static_cast<size_t>(height);
    const std::string_view rest = header.rest().substr(0, need);
    m_pixels.assign(rest.begin(), rest.end());
    m_width = width;
    m_height = height;
    m_hasPicture = true;
    return true;
}

void WbmpImage::Close()
{
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    m_hasPicture = false;
}

bool WbmpImage::Draw(QPaintDevice &device, int x, int y) const
{
    if (!m_hasPicture)
        return false;
    QPainter painter(&device);
    return painter.isActive() && Draw(painter, x, y);
}

bool WbmpImage::Draw(QPainter &painter, int x, int y) const
{
    if (!m_hasPicture)
        return false;
    if (m_width == 0 || m_height == 0)
        return true;

    QRect wanted(x, y, m_width, m_height);
    // Only the part that can reach the device is decoded; a huge picture on a
    // small canvas stays cheap. Rotations and scales get the whole picture.
    const QPaintDevice *device = painter.device();
    const QTransform toDevice = painter.combinedTransform();
    if (device && device->devType() != QInternal::Picture && device->width() > 0
        && device->height() > 0 && toDevice.type() <= QTransform::TxTranslate) {
        // One pixel to spare for a translation that falls between pixels.
        QRect area = QRect(0, 0, device->width(), device->height())
                         .translated(-qRound(toDevice.dx()), -qRound(toDevice.dy()))
                         .adjusted(-1, -1, 1, 1);
        if (painter.hasClipping())
            area &= painter.clipBoundingRect().toAlignedRect();
        wanted &= area;
        if (wanted.isEmpty())
            return true;
    }
    const int firstRow = wanted.top() - y;
    const int endRow = wanted.bottom() - y + 1;
    const int firstByte = (wanted.left() - x) / 8;
    const int byteCount = (wanted.right() - x) / 8 + 1 - firstByte;
    const int bandRows = std::max(1, kBandBytes / (byteCount * 8 * 4));
    for (int row = firstRow; row < endRow; row += bandRows)
        drawBand(painter, x, y, row, std::min(bandRows, endRow - row), firstByte, byteCount);
    return true;
}

void WbmpImage::drawBand(QPainter &painter, int x, int y, int firstRow, int rows, int firstByte,
                         int byteCount) const
{
    // Eight 32-bit pixels per byte value, so a row is expanded a byte at a
    // time and the band is drawn without any format conversion.
    static const auto expanded = [] {
        std::array<std::array<QRgb, 8>, 256> table {};
        for (int value = 0; value < 256; ++value)
            for (int bit = 0; bit < 8; ++bit)
                table[value][bit] = (value & (0x80 >> bit)) ? kWhite : kBlack;
        return table;
    }();

    const size_t rowBytes = static_cast<size_t>(BytesPerRow());
    // The band ends at the picture's width, so padding bits are never drawn.
    const int bandWidth = std::min(byteCount * 8, m_width - firstByte * 8);
    QImage band(bandWidth, rows, QImage::Format_RGB32);
    if (band.isNull())
        return;
    const int fullBytes = bandWidth / 8;
    const int tail = bandWidth % 8;
    for (int r = 0; r < rows; ++r) {
        auto *line = reinterpret_cast<QRgb *>(band.scanLine(r));
        const size_t offset = static_cast<size_t>(firstRow + r) * rowBytes + firstByte;
        // Bytes past the end of the file are black.
        const size_t held = offset < m_pixels.size() ? m_pixels.size() - offset : 0;
        const std::uint8_t *src = held ? m_pixels.data() + offset : nullptr;
        for (int b = 0; b < fullBytes; ++b)
            std::memcpy(line + 8 * b, expanded[size_t(b) < held ? src[b] : 0].data(),
                        8 * sizeof(QRgb));
        if (tail) {
            const std::uint8_t last = size_t(fullBytes) < held ? src[fullBytes] : 0;
            std::memcpy(line + 8 * fullBytes, expanded[last].data(), tail * sizeof(QRgb));
        }
    }
    painter.drawImage(QPoint(x + firstByte * 8, y + firstRow), band);
}

} // namespace tess
