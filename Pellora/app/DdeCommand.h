#pragma once

// The two commands a running Pellora accepts from the desktop and from later
// starts: "[DataFile(path)]" and "[HitList(path)]".

#include <string>

namespace pellora {

struct DdeCommand {
    enum class Kind { None, DataFile, HitList };
    Kind kind = Kind::None;
    std::string path;
};

// Recognised by the name at the start; the path is the text between the
// parentheses. Anything else, or an empty path, is no command.
DdeCommand ParseDdeCommand(const std::string &text);
std::string MakeDdeCommand(DdeCommand::Kind kind, const std::string &path);

} // namespace pellora
