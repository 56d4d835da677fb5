// Command-line list files ("-L" and "-L<name>").
#include <QStringList>

#include "fuzz/FuzzSupport.h"
#include "shared_ui/services/CMyCommandInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = QString::fromStdString(kxfuzz::WriteInput(data, size, ".lst"));
    kxfuzz::Run([&] {
        CMyCommandInfo info;
        info.ParseCommandLine(QStringList{"prog", "first.uds", "-L", path, "-L" + path, "-CFC600"});
        (void)info.GetFileList().size();
    });
    return 0;
}
