#include "Pellora/document/ProgramLauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

namespace pellora {

ProgramCheck CheckProgram(const std::string &path)
{
    const QFileInfo info(QString::fromStdString(path));
    if (path.empty() || !info.exists() || info.isDir())
        return ProgramCheck::Missing;
    if (!info.isFile() || !info.isExecutable())
        return ProgramCheck::NotExecutable;
    return ProgramCheck::Ok;
}

bool StartDetachedProgram(const std::string &path, const std::vector<std::string> &args, std::string &error)
{
    QStringList list;
    for (const std::string &arg : args)
        list << QString::fromStdString(arg);
    QProcess process;
    process.setProgram(QString::fromStdString(path));
    process.setArguments(list);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        error = process.errorString().toStdString();
        if (error.empty())
            error = "the program could not be started";
        return false;
    }
    return true;
}

} // namespace pellora
