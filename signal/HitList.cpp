#include "signal/HitList.h"

#include <cstdio>
#include <exception>
#include <memory>

namespace kx {

HitListRead ReadHitList(const std::string &path, std::vector<std::string> &lines, std::string &error,
                        std::size_t maxLineLength)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> in(nullptr, &std::fclose);
    try {
        in.reset(CTextLineReader::OpenRegular(path));
    } catch (const std::exception &e) {
        error = e.what();
        return HitListRead::kRefused;
    }
    if (!in)
        return HitListRead::kNotOpened;
    CTextLineReader reader(in.get(), path, maxLineLength);
    std::string line;
    try {
        while (reader.Next(line)) {
            if (!line.empty())
                lines.push_back(line);
        }
    } catch (const std::exception &e) {
        error = e.what();
        return HitListRead::kRefused;
    }
    return HitListRead::kRead;
}

} // namespace kx
