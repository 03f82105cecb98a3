// Picture benchmarks on a 1080 x 1080 photograph-like picture:
//   ConvertImage JPEG -> JPEG           against  djpeg | cjpeg -quality 75
//   showing the progressive JPEG in the main picture box (416 x 472, display mode 2)
//                                        against  djpeg -outfile /dev/null
// bench/image/run prints the ratios and the peak memory of each side.
//
// image_convert_bench --once convert|show FILE  does one of them once and prints its peak memory,
// for the memory comparison.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "image/ConvertImage.h"
#include "platform/window/PictureBox.h"

namespace {

using runtime::Bytes;

constexpr int kSide = 1080;
const QColor kBoxBackground(192, 192, 192);

std::string PictureDir() {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr ? dir : "/tmp") + "/tolvane-bench-image";
}
std::string Baseline() {
    return PictureDir() + "/baseline.jpg";
}
std::string Progressive() {
    return PictureDir() + "/progressive.jpg";
}

// Smooth shapes with fine noise: compresses like a photograph, not like a flat drawing.
void WritePictures() {
    const std::string ppm = PictureDir() + "/picture.ppm";
    std::system(("mkdir -p " + PictureDir()).c_str());
    std::ofstream out(ppm, std::ios::binary);
    out << "P6\n" << kSide << " " << kSide << "\n255\n";
    std::uint32_t noise = 12345;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int n = static_cast<int>((noise >> 16) % 24);
            const int r = (x * 200 / kSide + n) % 256;
            const int g = ((x + y) % 360 * 255 / 360 + n) % 256;
            const int b = ((x - kSide / 2) * (x - kSide / 2) + (y - kSide / 2) * (y - kSide / 2)) /
                          1600 % 256;
            out.put(static_cast<char>(r)).put(static_cast<char>(g)).put(static_cast<char>(b));
        }
    }
    out.close();
    std::system(("cjpeg -quality 85 " + ppm + " > " + Baseline()).c_str());
    std::system(("cjpeg -quality 85 -progressive " + ppm + " > " + Progressive()).c_str());
}

Bytes ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void ConvertJpegToJpeg(const Bytes& source) {
    Bytes encoded;
    image::ConvertImage(source, 2, {}, &encoded);
    benchmark::DoNotOptimize(encoded.data());
}

// The box decodes when it is painted: repaint paints at once.
void ShowInPictureBox(window::PictureBox& box, const Bytes& picture) {
    box.SetPicture(picture);
    box.repaint();
}

// The main picture box: shown and exposed, so that a repaint really paints.
void ShowBox(window::PictureBox& box) {
    box.resize(416, 472);
    box.show();
    QApplication::processEvents();
}

void BM_ConvertImageJpegToJpeg(benchmark::State& state) {
    const Bytes source = ReadFile(Baseline());
    for (auto _ : state) {
        ConvertJpegToJpeg(source);
    }
}
BENCHMARK(BM_ConvertImageJpegToJpeg)->Unit(benchmark::kMillisecond);

void BM_DjpegCjpeg(benchmark::State& state) {
    const std::string command = "djpeg " + Baseline() + " | cjpeg -quality 75 > /dev/null";
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::system(command.c_str()));
    }
}
BENCHMARK(BM_DjpegCjpeg)->Unit(benchmark::kMillisecond);

void BM_ShowProgressiveJpegFitted(benchmark::State& state) {
    const Bytes picture = ReadFile(Progressive());
    window::PictureBox box(nullptr, kBoxBackground, runtime::DisplayMode::kNaturalShrunkToFit);
    ShowBox(box);
    for (auto _ : state) {
        ShowInPictureBox(box, picture);
    }
}
BENCHMARK(BM_ShowProgressiveJpegFitted)->Unit(benchmark::kMillisecond);

void BM_DjpegToNull(benchmark::State& state) {
    const std::string command = "djpeg -outfile /dev/null " + Progressive();
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::system(command.c_str()));
    }
}
BENCHMARK(BM_DjpegToNull)->Unit(benchmark::kMillisecond);

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Prints the peak before the work (libraries, Qt) and after it.
int RunOnce(const std::string& what, const std::string& file) {
    const Bytes bytes = ReadFile(file);
    window::PictureBox box(nullptr, kBoxBackground, runtime::DisplayMode::kNaturalShrunkToFit);
    ShowBox(box);
    const long before = PeakKilobytes();
    if (what == "convert") {
        ConvertJpegToJpeg(bytes);
    } else {
        ShowInPictureBox(box, bytes);
    }
    std::printf("%ld %ld\n", before, PeakKilobytes());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--once") == 0) {
        return RunOnce(argv[2], argv[3]);
    }
    WritePictures();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
