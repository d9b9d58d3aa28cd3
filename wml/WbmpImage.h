#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class QPaintDevice;

namespace tess {

// A Wireless Bitmap (type 0: one bit per pixel, 1 white, 0 black, rows padded
// to whole bytes) read from a file and painted one device pixel per image
// pixel. Only reading is supported.
class WbmpImage
{
public:
    WbmpImage() = default;
    ~WbmpImage() = default;
    WbmpImage(const WbmpImage &) = delete;
    WbmpImage &operator=(const WbmpImage &) = delete;

    // The most bytes a picture can take: the longest header, then 16383 rows
    // of 2048 bytes. Bytes past it are never read.
    static constexpr size_t kLargestFile = 64 * 1024 + 16383 * 2048;

    // Reads the picture and closes the file again. False when the file is no
    // regular file, cannot be opened or its header is cut short; a type other
    // than 0 is read successfully but leaves no picture. Pixel rows missing
    // at the end of the file count as black.
    bool Open(const std::string &path);
    // The same for a picture's bytes already in memory.
    bool Decode(std::string_view bytes);
    // Paints the picture with its top-left pixel at (x, y) in the painter's
    // coordinates. False when there is no picture.
    bool Draw(QPainter &painter, int x, int y) const;
    bool Draw(QPaintDevice &device, int x, int y) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Releases the picture; Width and Height keep the values read.
    void Close();

    int Type() const { return m_type; }
    int FixHeader() const { return m_fixHeader; }
    bool HasPicture() const { return m_hasPicture; }
    int BytesPerRow() const { return (m_width + 7) / 8; }

private:
    void reset();
    void drawBand(QPainter &painter, int x, int y, int firstRow, int rows, int firstByte,
                  int byteCount) const;

    std::uint8_t m_type = 0;
    std::uint8_t m_fixHeader = 0;
    // Only the bytes the file held; the picture's remaining bytes are zero.
    std::vector<std::uint8_t> m_pixels;
    bool m_hasPicture = false;
    int m_width = 0;
    int m_height = 0;
};

} // namespace tess
