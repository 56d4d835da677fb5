#include "signal/HitList.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <system_error>

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

std::string ResolveHitListLine(const std::string &listPath, const std::string &line)
{
    namespace fs = std::filesystem;
    const fs::path name(line);
    if (line.empty() || !name.is_relative())
        return line;
    std::error_code ec;
    const fs::path folder = fs::absolute(fs::path(listPath), ec).parent_path();
    if (ec)
        return line;
    const fs::path beside = (folder / name).lexically_normal();
    if (fs::is_regular_file(beside, ec))
        return beside.string();
    return line;
}

} // namespace kx
