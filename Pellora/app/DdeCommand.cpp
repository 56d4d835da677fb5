#include "Pellora/app/DdeCommand.h"

#include <string_view>

namespace pellora {

namespace {

bool TakeCommand(std::string_view text, std::string_view name, std::string &path)
{
    // "[" name "(" path ")]"
    if (text.size() < name.size() + 4 || text.front() != '[' || text.substr(1, name.size()) != name ||
        text[name.size() + 1] != '(' || text.substr(text.size() - 2) != ")]")
        return false;
    path = std::string(text.substr(name.size() + 2, text.size() - name.size() - 4));
    return true;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() &&
           (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' || text.front() == '\n'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

} // namespace

DdeCommand ParseDdeCommand(const std::string &text)
{
    DdeCommand command;
    const std::string_view trimmed = Trim(text);
    std::string path;
    if (TakeCommand(trimmed, "DataFile", path))
        command.kind = DdeCommand::Kind::DataFile;
    else if (TakeCommand(trimmed, "HitList", path))
        command.kind = DdeCommand::Kind::HitList;
    else if (TakeCommand(trimmed, "CommandLine", path))
        command.kind = DdeCommand::Kind::CommandLine;
    if (command.kind == DdeCommand::Kind::None || path.empty())
        return {};
    command.path = std::move(path);
    return command;
}

std::string MakeDdeCommand(DdeCommand::Kind kind, const std::string &path)
{
    switch (kind) {
    case DdeCommand::Kind::DataFile:
        return "[DataFile(" + path + ")]";
    case DdeCommand::Kind::HitList:
        return "[HitList(" + path + ")]";
    case DdeCommand::Kind::CommandLine:
        return MakeCommandLineCommand({path}, false);
    case DdeCommand::Kind::None:
        break;
    }
    return {};
}

std::string MakeCommandLineCommand(const std::vector<std::string> &names, bool loadAtOnce)
{
    std::string text = "[CommandLine(";
    text += loadAtOnce ? "-O" : "";
    for (const std::string &name : names)
        text += "\t" + name;
    return text + ")]";
}

std::vector<std::string> CommandLineNames(const std::string &text, bool &loadAtOnce)
{
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    while (true) {
        const std::string::size_type end = text.find('\t', start);
        fields.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    loadAtOnce = !fields.empty() && fields.front() == "-O";
    std::vector<std::string> names;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (!fields[i].empty())
            names.push_back(fields[i]);
    }
    return names;
}

} // namespace pellora
