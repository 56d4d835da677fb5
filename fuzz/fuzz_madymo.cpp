// Simulation-output reader: Read must answer false (never throw) for bad files, and
// every curve of an accepted file must come out.
#include "Sorvelt/core/MadymoFile.h"
#include "fuzz/FuzzSupport.h"
#include "signal/CNSignal.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = kxfuzz::WriteInput(data, size, ".out");
    kx::MadymoFile file;
    bool read = false;
    // Read answers false for a bad file; it never throws.
    try {
        read = file.Read(path);
    } catch (const std::exception &e) {
        kxfuzz::Finding("Read threw", e.what());
    }
    if (!read)
        return 0;
    const int parameters = static_cast<int>(std::min<std::size_t>(file.GetParameterCount(), 4));
    const int channels = static_cast<int>(std::min<std::size_t>(file.GetChannelCount(), 4));
    for (int p = 0; p < parameters; ++p)
        for (int c = 0; c < channels; ++c)
            kxfuzz::Run([&] {
                kx::CNSignal signal;
                file.GetSignal(p, c, signal);
            });
    return 0;
}
