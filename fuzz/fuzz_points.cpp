// Points text reader: the grammar on any text, and the file route with its gap rule.
#include "fuzz/FuzzSupport.h"
#include "signal/CNSignal.h"
#include "signal/CPoints.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    kxfuzz::Run([&] {
        std::string cut = text;
        kx::CPoints::CutAtGap(cut);
        kx::CPoints points;
        points.Parse(cut);
    });
    const std::string path = kxfuzz::WriteInput(data, size, ".txt");
    const std::size_t slash = path.rfind('/');
    kxfuzz::Run([&] {
        kx::CNSignal signal;
        signal.ReadPointsFile(path.substr(0, slash + 1), path.substr(slash + 1));
    });
    return 0;
}
