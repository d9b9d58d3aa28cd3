#include "wml/WbmpImage.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

constexpr QRgb kUntouched = qRgb(255, 0, 0);
constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);

class WBitmapTest : public ::testing::Test
{
protected:
    std::string write(const std::vector<int> &bytes)
    {
        QFile f(m_dir.filePath(QString::number(++m_count) + ".wbmp"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        for (int b : bytes)
            f.putChar(static_cast<char>(b));
        return f.fileName().toStdString();
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

// Draws at (1, 1) on a canvas one pixel larger all round and spells its rows
// as W (white), B (black) or . (left alone).
std::vector<std::string> drawn(const WbmpImage &bitmap)
{
    QImage canvas(bitmap.Width() + 2, bitmap.Height() + 2, QImage::Format_RGB32);
    canvas.fill(kUntouched);
    EXPECT_TRUE(bitmap.Draw(canvas, 1, 1));
    std::vector<std::string> rows(canvas.height(), std::string(canvas.width(), '?'));
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const QRgb p = canvas.pixel(x, y);
            rows[y][x] = p == kUntouched ? '.' : p == kBlack ? 'B' : p == kWhite ? 'W' : '?';
        }
    return rows;
}

TEST_F(WBitmapTest, DecodesPixelsExactly)
{
    const struct
    {
        const char *name;
        std::vector<int> bytes;
        std::vector<std::string> canvas;
    } cases[] = {
        {"white row over black row",
         {0, 0, 8, 2, 0xFF, 0x00},
         {"..........", ".WWWWWWWW.", ".BBBBBBBB.", ".........."}},
        {"padding bits are not drawn",
         {0, 0, 10, 2, 0xAA, 0xC0, 0x55, 0x3F},
         {"............", ".WBWBWBWBWW.", ".BWBWBWBWBB.", "............"}},
        {"extension bytes skipped", {0, 0x80, 0x85, 0x01, 3, 1, 0xA0}, {".....", ".WBW.", "....."}},
        {"missing rows are black",
         {0, 0, 4, 3, 0xF0},
         {"......", ".WWWW.", ".BBBB.", ".BBBB.", "......"}},
    };
    for (const auto &c : cases) {
        WbmpImage bitmap;
        ASSERT_TRUE(bitmap.Open(write(c.bytes))) << c.name;
        EXPECT_EQ(drawn(bitmap), c.canvas) << c.name;
    }
}

TEST_F(WBitmapTest, HeadersDecideOpenDrawAndSize)
{
    const struct
    {
        const char *name;
        std::vector<int> bytes;
        bool opens, draws;
        int width, height;
    } cases[] = {
        {"81 00", {0, 0, 0x81, 0x00, 1}, true, true, 128, 1},
        {"82 0F", {0, 0, 0x82, 0x0F, 0x82, 0x0F}, true, true, 271, 271},
        {"second byte's bit 7 ignored", {0, 0, 0x81, 0x80, 1}, true, true, 128, 1},
        {"zero width draws nothing", {0, 0, 0, 5}, true, true, 0, 5},
        {"type 1", {1, 0, 8, 1, 0xFF}, true, false, 0, 0},
        {"empty file", {}, false, false, 0, 0},
        {"no fix header", {0}, false, false, 0, 0},
        {"extension never ends", {0, 0x80, 0x85}, false, false, 0, 0},
        {"second size byte missing", {0, 0, 0x81}, false, false, 0, 0},
    };
    for (const auto &c : cases) {
        WbmpImage bitmap;
        EXPECT_EQ(bitmap.Open(write(c.bytes)), c.opens) << c.name;
        EXPECT_EQ(bitmap.Width(), c.width) << c.name;
        EXPECT_EQ(bitmap.Height(), c.height) << c.name;
        QImage canvas(1, 1, QImage::Format_RGB32);
        canvas.fill(kUntouched);
        EXPECT_EQ(bitmap.Draw(canvas, 0, 0), c.draws) << c.name;
        EXPECT_EQ(canvas.pixel(0, 0), c.width && c.height ? kBlack : kUntouched) << c.name;
    }
}

TEST_F(WBitmapTest, HugeHeaderOnATinyFile)
{
    std::vector<int> bytes = {0, 0, 0xFF, 0x7F, 0xFF, 0x7F};
    bytes.resize(20, 0xFF);
    WbmpImage bitmap;
    ASSERT_TRUE(bitmap.Open(write(bytes)));
    EXPECT_EQ(bitmap.Width(), 16383);
    EXPECT_EQ(bitmap.Height(), 16383);

    // The 14 bytes held are the top row's first 112 pixels; the rest is black.
    QImage canvas(120, 2, QImage::Format_RGB32);
    ASSERT_TRUE(bitmap.Draw(canvas, 0, 0));
    EXPECT_EQ(canvas.pixel(111, 0), kWhite);
    EXPECT_EQ(canvas.pixel(112, 0), kBlack);
    EXPECT_EQ(canvas.pixel(0, 1), kBlack);

    // The far corner, through a translated painter.
    canvas.fill(kUntouched);
    QPainter painter(&canvas);
    painter.translate(-16000, -16000);
    ASSERT_TRUE(bitmap.Draw(painter, 0, 0));
    painter.end();
    EXPECT_EQ(canvas.pixel(119, 1), kBlack);
}

} // namespace
} // namespace tess
