// Pellora's hit-list reader: names, patterns and relative lines from any text.
#include <QCoreApplication>

#include "Pellora/document/CPelloraDoc.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_hitlist";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    const std::string path = kxfuzz::WriteInput(data, size, ".lst");
    kxfuzz::Run([&] {
        pellora::CPelloraDoc doc(nullptr, QStringLiteral("PelloraFuzz"));
        doc.ReadHitList(path);
        (void)doc.GetFileNames().size();
    });
    return 0;
}
