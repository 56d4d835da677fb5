#include "shared_ui/kit/FolderExport.h"

#include "shared_ui/kit/IKxUi.h"
#include "shared_ui/kit/ReplaceQuestion.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace kxres {

std::vector<CExportTarget> PlanFolderExport(const std::vector<std::string> &paths,
                                            const std::vector<std::string> &names, IKxUi &ui,
                                            std::vector<std::string> &errors)
{
    std::map<std::string, std::vector<std::size_t>> users;
    for (std::size_t k = 0; k < paths.size(); ++k)
        users[paths[k]].push_back(k);
    std::vector<CExportTarget> targets;
    std::vector<std::string> existing;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        const std::vector<std::size_t> &sharing = users[paths[k]];
        if (sharing.size() > 1) {
            if (sharing.front() == k) {
                std::string list;
                for (std::size_t u : sharing)
                    list += (list.empty() ? "" : ", ") + (u < names.size() ? names[u] : paths[u]);
                errors.push_back("Not saved: " + list + " would all be written to " + paths[k] + ".");
            }
            continue;
        }
        std::error_code ec;
        if (std::filesystem::exists(paths[k], ec))
            existing.push_back(paths[k]);
        targets.push_back({k, paths[k]});
    }
    if (!existing.empty() && !ui.AskYesNo(ReplaceFilesQuestion(existing))) {
        for (CExportTarget &target : targets)
            target.keep = std::find(existing.begin(), existing.end(), target.path) != existing.end();
    }
    return targets;
}

std::vector<std::string> WriteFolderExport(const std::vector<CExportTarget> &targets,
                                           const std::function<std::string(const CExportTarget &)> &write,
                                           IProgress *progress)
{
    std::vector<std::string> failures;
    int done = 0;
    for (const CExportTarget &target : targets) {
        if (!target.keep) {
            try {
                std::string failure = write(target);
                if (!failure.empty())
                    failures.push_back(std::move(failure));
            } catch (const std::exception &e) {
                failures.push_back(target.path + ": " + e.what());
            }
        }
        if (progress && !progress->Step(++done, {}))
            break;
    }
    return failures;
}

std::string AsciiExportName(const std::string &signalFileName)
{
    std::string name = signalFileName;
    for (std::size_t at = name.find(".uds"); at != std::string::npos; at = name.find(".uds", at))
        name.erase(at, 4);
    std::replace(name.begin(), name.end(), '.', '_');
    return name + ".txt";
}

} // namespace kxres
