// Wireless Bitmaps: reading and drawing a picture against a plain QImage draw
// of the same size onto the same target. After the runs the ratio of each
// size's cost to the reference is printed.
#include "bench/TimeReporter.h"
#include "wml/WbmpImage.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// A picture of size x size with a busy pattern, so that no row is uniform.
std::string wbmpFile(int size)
{
    static QTemporaryDir dir;
    static std::map<int, std::string> files;
    if (auto it = files.find(size); it != files.end())
        return it->second;
    QByteArray bytes;
    bytes.append('\0').append('\0');
    for (int value : {size, size}) {
        if (value > 127)
            bytes.append(static_cast<char>(0x80 | (value >> 7)));
        bytes.append(static_cast<char>(value & 0x7F));
    }
    const int rowBytes = (size + 7) / 8;
    for (int i = 0; i < rowBytes * size; ++i)
        bytes.append(static_cast<char>((i * 37 + i / rowBytes) & 0xFF));
    const QString path = dir.filePath(QString::number(size) + ".wbmp");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return files[size] = path.toStdString();
}

void BM_WbmpOpenAndDraw(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    const std::string path = wbmpFile(size);
    QImage target(size, size, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        tess::WbmpImage bitmap;
        QPainter painter(&target);
        if (!bitmap.Open(path) || !bitmap.Draw(painter, 0, 0))
            state.SkipWithError("cannot read the picture");
    }
    state.SetItemsProcessed(state.iterations() * size * size);
}

void BM_WbmpDraw(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    tess::WbmpImage bitmap;
    if (!bitmap.Open(wbmpFile(size)))
        state.SkipWithError("cannot read the picture");
    QImage target(size, size, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&target);
        bitmap.Draw(painter, 0, 0);
    }
    state.SetItemsProcessed(state.iterations() * size * size);
}

// The reference: an image already in memory, drawn once.
void BM_QImageDraw(benchmark::State &state)
{
    const int size = static_cast<int>(state.range(0));
    QImage source(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            source.setPixel(x, y, ((x * 7 + y) & 8) ? 0xFFFFFFFF : 0xFF000000);
    QImage target(size, size, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawImage(0, 0, source);
    }
    state.SetItemsProcessed(state.iterations() * size * size);
}

BENCHMARK(BM_WbmpOpenAndDraw)->RangeMultiplier(2)->Range(128, 1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WbmpDraw)->RangeMultiplier(2)->Range(128, 1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QImageDraw)->RangeMultiplier(2)->Range(128, 1024)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    tess::bench::TimeReporter reporter(tess::bench::TimeReporter::Clock::Real);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (int size = 128; size <= 1024; size *= 2) {
        const std::string n = "/" + std::to_string(size);
        for (const char *name : {"BM_WbmpOpenAndDraw", "BM_WbmpDraw"})
            reporter.printRatio(name + n, "BM_QImageDraw" + n);
    }
    benchmark::Shutdown();
    return 0;
}
