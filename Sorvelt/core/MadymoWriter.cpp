#include "Sorvelt/core/MadymoWriter.h"

#include <cstdio>
#include <memory>

namespace sorvelt {

bool WriteMadymoFile(const std::string &path, const MadymoContent &content)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file)
        return false;
    std::FILE *f = file.get();
    std::fprintf(f, "%s\n%s\n%zu %zu\n", content.firstLine.c_str(), content.secondLine.c_str(),
                 content.parameters.size(), content.channels.size());
    for (const std::string &name : content.parameters)
        std::fprintf(f, "%s\n", name.c_str());
    for (const std::string &name : content.channels)
        std::fprintf(f, "%s\n", name.c_str());
    for (std::size_t t = 0; t < content.timesMs.size(); ++t) {
        std::fprintf(f, "%.*g\n", content.timeDigits, content.timesMs[t]);
        for (std::size_t p = 0; p < content.parameters.size(); ++p) {
            for (std::size_t c = 0; c < content.channels.size(); ++c) {
                const double v = content.value ? content.value(t, p, c) : 0.0;
                std::fprintf(f, c == 0 ? "%.6g" : " %.6g", v);
            }
            std::fputc('\n', f);
        }
    }
    const bool ok = std::ferror(f) == 0;
    return std::fclose(file.release()) == 0 && ok;
}

} // namespace sorvelt
