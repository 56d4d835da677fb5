// Showing a balloon tip of about 400 x 200 pixels with each background effect, against
// filling and copying an image of that size.

#include "shared_ui/controls/CPPToolTip.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>

#include <cstring>
#include <memory>
#include <vector>

namespace {

struct Setup {
    Setup()
    {
        window.resize(300, 200);
        edit = new QLineEdit(&window);
        edit->setGeometry(10, 10, 120, 24);
        window.move(600, 300);
        window.show();
        tip.Create(&window);
        cursor = edit->mapToGlobal(QPoint(20, 10));
        // Lines of text until the tip is 200 high, a rule that makes it 400 wide.
        QString text = QStringLiteral("<b>Time step</b> of the <i>resampled</i> signal<br>");
        for (int lines = 0; lines < 40; ++lines) {
            tip.AddTool(edit, text + QStringLiteral("<hr=%1>").arg(ruleWidth));
            tip.ShowTip(0, cursor);
            if (tip.height() >= 200)
                break;
            text += QStringLiteral("<ct=0x0000FF>Please</ct> enter a Time Step greater then zero.<br>");
        }
        ruleWidth += 400 - tip.width();
        tip.AddTool(edit, text + QStringLiteral("<hr=%1>").arg(ruleWidth));
        tip.ShowTip(0, cursor);
        tip.HideTip();
    }
    QWidget window;
    QLineEdit *edit = nullptr;
    kxres::CPPToolTip tip;
    QPoint cursor;
    int ruleWidth = 300;
};

Setup &Shared()
{
    static Setup setup;
    return setup;
}

void BM_ShowToolTip(benchmark::State &state)
{
    Setup &s = Shared();
    s.tip.SetEffect(int(state.range(0)), 8);
    for (auto _ : state) {
        s.tip.ShowTip(0, s.cursor);
        s.tip.HideTip();
    }
    state.counters["width"] = s.tip.width();
    state.counters["height"] = s.tip.height();
}
BENCHMARK(BM_ShowToolTip)->DenseRange(0, 15)->Unit(benchmark::kMicrosecond);

// Reference: fill a 400 x 200 image and copy its pixels once.
void BM_FillAndCopyImage(benchmark::State &state)
{
    QImage image(400, 200, QImage::Format_ARGB32_Premultiplied);
    std::vector<unsigned char> copy(std::size_t(image.sizeInBytes()));
    for (auto _ : state) {
        image.fill(QColor(255, 255, 225));
        std::memcpy(copy.data(), image.constBits(), copy.size());
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_FillAndCopyImage)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
