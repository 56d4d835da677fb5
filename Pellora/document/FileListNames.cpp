#include "Pellora/document/FileListNames.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <string_view>

#include <fnmatch.h>

namespace pellora {

namespace fs = std::filesystem;

namespace {

bool HasWildcard(const std::string &text)
{
    return text.find_first_of("*?[") != std::string::npos;
}

bool Matches(const std::string &pattern, const std::string &name, bool caseBlind = false)
{
    // "*.*" means every file, as on the systems where the lists come from.
    if (pattern == "*.*" || pattern == "*")
        return true;
    return ::fnmatch(pattern.c_str(), name.c_str(), caseBlind ? FNM_CASEFOLD : 0) == 0;
}

} // namespace

std::string Trim(std::string text)
{
    const auto notSpace = [](unsigned char c) { return c != ' ' && c != '\t' && c != '\r' && c != '\n'; };
    text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
    text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
    return text;
}

std::string AbsolutePath(const std::string &path)
{
    std::error_code ec;
    const fs::path full = fs::absolute(fs::path(path), ec);
    return ec ? path : full.string();
}

std::string JoinPath(const std::string &directory, const std::string &name)
{
    if (directory.empty())
        return name;
    if (directory.back() == '/')
        return directory + name;
    return directory + '/' + name;
}

bool IsExcludedName(const std::string &name)
{
    static constexpr std::array<std::string_view, 13> excluded{".dll", ".DLL", ".log", ".xml", ".msi", ".exe", ".zip",
                                                               ".jpg", ".avi", ".mpg", ".pdf", ".doc", ".ini"};
    return std::any_of(excluded.begin(), excluded.end(),
                       [&](std::string_view e) { return name.find(e) != std::string::npos; });
}

std::vector<std::string> ListDirectory(const std::string &directory, const std::string &pattern)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(directory, fs::directory_options::skip_permission_denied, ec);
    if (ec)
        return names;
    for (const fs::directory_entry &entry : it) {
        std::error_code typeError;
        if (entry.is_directory(typeError))
            continue;
        std::string name = entry.path().filename().string();
        if (IsExcludedName(name) || !Matches(pattern, name, true))
            continue;
        names.push_back(std::move(name));
    }
    return names;
}

bool IsInteger(const std::string &text)
{
    if (text.empty())
        return false;
    std::size_t i = 0;
    if (text[0] == '-') {
        if (text.size() < 2)
            return false;
        i = 1;
    }
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(),
                       [](unsigned char c) { return c >= '0' && c <= '9'; });
}

std::string CurveCode(const std::string &name)
{
    return name.size() >= 10 ? name.substr(7, 3) : std::string();
}

void SortFileNames(std::vector<std::string> &names, bool byCurveNumber)
{
    if (!byCurveNumber) {
        std::sort(names.begin(), names.end());
        return;
    }
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        const std::string ca = CurveCode(a);
        const std::string cb = CurveCode(b);
        const bool na = IsInteger(ca);
        const bool nb = IsInteger(cb);
        if (na != nb)
            return na;
        if (na && ca != cb)
            return ca < cb;
        return a < b;
    });
}

std::vector<std::string> ExpandFileLine(const std::string &line, const std::string &baseDirectory,
                                        bool *matchedAnything)
{
    std::vector<std::string> paths;
    bool matched = false;
    struct Report {
        bool &matched;
        bool *out;
        ~Report()
        {
            if (out)
                *out = matched;
        }
    } report{matched, matchedAnything};
    const std::string text = Trim(line);
    if (text.empty())
        return paths;
    fs::path path(text);
    if (path.is_relative() && !baseDirectory.empty())
        path = fs::path(baseDirectory) / path;
    path = path.lexically_normal();
    std::error_code ec;
    const std::string leaf = path.filename().string();
    // A name that exists as written is that file, even with "[" or "?" in it.
    if (!HasWildcard(leaf) || fs::exists(path, ec)) {
        if (fs::exists(path, ec)) {
            matched = true;
            if (!fs::is_directory(path, ec))
                paths.push_back(path.string());
        }
        return paths;
    }
    const fs::path folder = path.parent_path();
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, fs::directory_options::skip_permission_denied,
                              ec);
    if (ec)
        return paths;
    for (const fs::directory_entry &entry : it) {
        const std::string name = entry.path().filename().string();
        if (!Matches(leaf, name))
            continue;
        matched = true;
        std::error_code typeError;
        if (!entry.is_directory(typeError))
            paths.push_back((folder / name).string());
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::vector<std::string> SplitPastedText(const std::string &text)
{
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string piece = text.substr(start, end - start);
        if (!piece.empty() && piece.back() == '\r')
            piece.pop_back();
        if (!Trim(piece).empty())
            paths.push_back(piece);
        start = end + 1;
    }
    return paths;
}

} // namespace pellora
