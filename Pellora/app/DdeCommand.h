#pragma once

// The two commands a running Pellora accepts from the desktop and from later
// starts: "[DataFile(path)]" and "[HitList(path)]".

#include <string>
#include <vector>

namespace pellora {

struct DdeCommand {
    enum class Kind { None, DataFile, HitList, CommandLine };
    Kind kind = Kind::None;
    std::string path;
};

// A later start's command line: "[CommandLine(switches<TAB>name<TAB>name...)]",
// where switches is "-O" for load-at-once or empty.
std::string MakeCommandLineCommand(const std::vector<std::string> &names, bool loadAtOnce);
// The names and the switch of a CommandLine command's text.
std::vector<std::string> CommandLineNames(const std::string &text, bool &loadAtOnce);

// Recognised by the name at the start; the path is the text between the
// parentheses. Anything else, or an empty path, is no command.
DdeCommand ParseDdeCommand(const std::string &text);
std::string MakeDdeCommand(DdeCommand::Kind kind, const std::string &path);

} // namespace pellora
