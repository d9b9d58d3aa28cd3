#include "shell/WBitMap.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cstring>

// Diagnostics of the reader; off unless QT_LOGGING_RULES turns on "tess.wbmp.debug".
Q_LOGGING_CATEGORY(lcWbmp, "tess.wbmp", QtWarningMsg)

namespace tess {

namespace {

constexpr int kReadChunk = 64 * 1024;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
// A picture is painted in bands of at most this many bytes, so that even the
// largest header (16383 x 16383 pixels) never needs one huge image at once.
constexpr int kBandBytes = 1024 * 1024;

bool readByte(QFile &file, std::uint8_t &byte)
{
    char c = 0;
    if (!file.getChar(&c))
        return false;
    byte = static_cast<std::uint8_t>(c);
    return true;
}

// One byte, or two when the first has bit 7 set; a third is never read, so
// the largest value is 16383.
bool readMultiByte(QFile &file, int &value)
{
    std::uint8_t first = 0;
    if (!readByte(file, first))
        return false;
    if (!(first & 0x80)) {
        value = first;
        return true;
    }
    std::uint8_t second = 0;
    if (!readByte(file, second))
        return false;
    value = ((first & 0x7F) << 7) | (second & 0x7F);
    return true;
}

} // namespace

bool CWBitmap::Open(const std::string &path)
{
    Close();
    m_type = 0;
    m_fixHeader = 0;
    m_width = 0;
    m_height = 0;

    const QString name = QString::fromStdString(path);
    QFile file(name);
    // A directory opens for reading on Linux but holds no picture.
    if (path.empty() || QFileInfo(name).isDir() || !file.open(QIODevice::ReadOnly)) {
        qCDebug(lcWbmp, "CWBitmap::OpenWbmp  Unable to open file[%s]", path.c_str());
        return false;
    }

    const auto fail = [] {
        qCDebug(lcWbmp, "Exception occur while reading the file");
        return false;
    };
    if (!readByte(file, m_type))
        return fail();
    if (m_type != 0)
        return true;
    if (!readByte(file, m_fixHeader))
        return fail();
    if (m_fixHeader & 0x80) {
        std::uint8_t ext = 0;
        do {
            if (!readByte(file, ext))
                return fail();
        } while (ext & 0x80);
    }
    int width = 0;
    int height = 0;
    if (!readMultiByte(file, width) || !readMultiByte(file, height))
        return fail();

    // Read no more than the picture needs and no more than the file holds:
    // a 20-byte file claiming 16383 x 16383 pixels costs 20 bytes here.
    const size_t need = static_cast<size_t>((width + 7) / 8) * static_cast<size_t>(height);
    std::vector<std::uint8_t> pixels;
    while (pixels.size() < need) {
        const size_t had = pixels.size();
        pixels.resize(had + std::min<size_t>(need - had, kReadChunk));
        const qint64 got = file.read(reinterpret_cast<char *>(pixels.data() + had),
                                     static_cast<qint64>(pixels.size() - had));
        if (got < 0)
            return fail();
        pixels.resize(had + static_cast<size_t>(got));
        if (got == 0)
            break;
    }
    pixels.shrink_to_fit();

    m_pixels = std::move(pixels);
    m_width = width;
    m_height = height;
    m_hasPicture = true;
    return true;
}

void CWBitmap::Close()
{
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    m_hasPicture = false;
}

bool CWBitmap::Draw(QPaintDevice &device, int x, int y) const
{
    if (!m_hasPicture)
        return false;
    QPainter painter(&device);
    return painter.isActive() && Draw(painter, x, y);
}

bool CWBitmap::Draw(QPainter &painter, int x, int y) const
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

void CWBitmap::drawBand(QPainter &painter, int x, int y, int firstRow, int rows, int firstByte,
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
