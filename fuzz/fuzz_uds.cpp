// UDS-1992 reader: any bytes are loaded as a signal; an accepted one goes back into a
// file object as the writer would take it.
#include "fuzz/FuzzSupport.h"
#include "signal/CNSignal.h"
#include "signal/CUDSFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = kxfuzz::WriteInput(data, size, ".uds");
    kxfuzz::Run([&] {
        kx::CNSignal signal;
        signal.LoadUDSFile(path);
        kx::CUDSFile out;
        signal.ToUDSFile(out);
        (void)out.ComputeFileSize();
    });
    kxfuzz::Run([&] {
        kx::CUDSFile file;
        file.ReadFile(path);
        (void)file.GetPoints().size();
    });
    return 0;
}
