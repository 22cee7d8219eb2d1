// Paints a 137 x 21 gradient button in each gradient style and prints the
// time per paint: composed off screen and copied to a shown window, and
// composed alone on a bitmap.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BenchForm.h"
#include "controls/GradBtn.h"
#include "framework/drawing/Bitmap.h"

using namespace klarvo;

namespace {

// User and kernel time of this thread, in seconds.
double ThreadSeconds()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

struct Timing {
    double wall; // best batch, microseconds per call
    double cpu;  // this thread's processor time over all batches, microseconds per call
};

// The wall figure is the best batch; the processor time of this thread
// over every call is given beside it.
template <typename F> Timing MicrosecondsPerCall(int count, F&& f)
{
    const double cpuStart = ThreadSeconds();
    const test::BestOfBatches best = test::BestMicrosecondsPer(count, f);
    return Timing{best.microseconds, (ThreadSeconds() - cpuStart) * 1e6 / best.calls};
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    const auto form = bench::ShownForm("TGradBench", 20, 20, 200, 60);
    auto* btn = new TGradBtn(form.get());
    btn->SetParent(form.get());
    btn->SetBounds(10, 10, 137, 21);
    btn->SetCaption("Auto RAM cleaning");
    btn->SetPresets(TPreset::Aluminum);
    btn->GetFont().SetHeight(13);
    btn->SetTextStyle(tsNormal);
    bench::ShowAndPaint(*form);

    const char* const names[] = {"gsHorizontal", "gsVertical",   "gsElliptic",
                                 "gsRectangle",  "gsVertCenter", "gsHorizCenter"};
    Bitmap target(137, 21);
    std::printf("%d paints of a 137 x 21 button per style: best batch of 8 (wall), thread time (cpu)\n", count);
    std::printf("%-14s %6s %22s %22s %22s\n", "", "", "window", "face", "face, no caption");
    std::printf("%-14s %6s %11s %10s %11s %10s %11s %10s\n", "style", "bands", "wall us", "cpu us", "wall us", "cpu us",
                "wall us", "cpu us");
    for (int style = gsHorizontal; style <= gsHorizCenter; ++style) {
        btn->SetGradientStyle(static_cast<TGradientStyle>(style));
        const Timing window = MicrosecondsPerCall(count, [&] { btn->Repaint(); });
        const Timing face = MicrosecondsPerCall(count, [&] { btn->PaintFace(target.GetCanvas()); });
        btn->SetCaption("");
        const Timing bare = MicrosecondsPerCall(count, [&] { btn->PaintFace(target.GetCanvas()); });
        btn->SetCaption("Auto RAM cleaning");
        std::vector<gradbtn::Band> bands;
        gradbtn::GradientBands(static_cast<TGradientStyle>(style), 137, 21, 0, 0, bands);
        gradbtn::DropHiddenBands(bands);
        std::printf("%-14s %6zu %11.1f %10.1f %11.1f %10.1f %11.1f %10.1f\n", names[style], bands.size(), window.wall,
                    window.cpu, face.wall, face.cpu, bare.wall, bare.cpu);
    }
    return 0;
}
