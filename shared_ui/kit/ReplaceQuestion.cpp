#include "shared_ui/kit/ReplaceQuestion.h"

#include <filesystem>

namespace kxres {

namespace {

constexpr std::size_t kNamed = 10;

} // namespace

std::string ReplaceFilesQuestion(const std::vector<std::string> &existing)
{
    std::string text = existing.size() == 1 ? "This file already exists:\n" : "These files already exist:\n";
    for (std::size_t i = 0; i < existing.size() && i < kNamed; ++i)
        text += existing[i] + "\n";
    if (existing.size() > kNamed)
        text += "... and " + std::to_string(existing.size() - kNamed) + " more\n";
    text += "Replace them?";
    return text;
}

std::vector<std::string> ExistingFiles(const std::vector<std::string> &targets)
{
    std::vector<std::string> existing;
    for (const std::string &path : targets) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec))
            existing.push_back(path);
    }
    return existing;
}

} // namespace kxres
