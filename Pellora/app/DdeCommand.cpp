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
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r' || text.front() == '\n'))
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
    case DdeCommand::Kind::None:
        break;
    }
    return {};
}

} // namespace pellora
