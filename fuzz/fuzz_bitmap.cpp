// Device-independent bitmap reader: any bytes, and the image made from what it accepts.
#include <QImage>

#include "fuzz/FuzzSupport.h"
#include "shared_ui/printing/BitmapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string path = kxfuzz::WriteInput(data, size, ".bmp");
    kxfuzz::Run([&] {
        const std::vector<std::uint8_t> image = ReadBitmapFile(path);
        if (!image.empty())
            (void)PackedBitmapToImage(image).width();
    });
    return 0;
}
