#include "shared_ui/services/CMyCommandInfo.h"

#include "signal/CTextLineReader.h"

#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/predicate.hpp>
#include <boost/algorithm/string/trim.hpp>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool IsBlank(const std::string &line)
{
    return line.find_first_not_of(" \t\f\v") == std::string::npos;
}

} // namespace

void CMyCommandInfo::ParseCommandLine(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const std::string arg = arguments[i].toStdString();
        const bool last = i + 1 == arguments.size();
        if (!arg.empty() && arg[0] == '-')
            ParseParam(arg.substr(1), true, last);
        else
            ParseParam(arg, false, last);
    }
}

void CMyCommandInfo::ParseCommandLine(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    ParseCommandLine(arguments);
}

void CMyCommandInfo::ParseParam(const std::string &text, bool isFlag, bool /*isLast*/)
{
    if (isFlag) {
        ParseFlag(text);
        return;
    }
    if (m_bListFile) {
        ReadListFile(text);
        m_bListFile = false;
    } else {
        m_fileNames.push_back(text);
    }
}

void CMyCommandInfo::ParseFlag(const std::string &flag)
{
    if (flag.empty())
        return;

    if (flag[0] == 'L' || flag[0] == 'l') {
        if (flag.size() > 1)
            ReadListFile(flag.substr(1));
        else
            m_bListFile = true;
    } else if (flag[0] == 'O' || flag[0] == 'o') {
        m_bO = true;
    }

    const std::string upper = boost::algorithm::to_upper_copy(flag);
    if (upper == "CFC600") {
        m_nCFC = 600;
        return;
    }
    if (upper == "CFC60") {
        m_nCFC = 60;
        return;
    }
    if (upper == "CFC180") {
        m_nCFC = 180;
        return;
    }
    if (upper == "CFC1K") {
        m_nCFC = 1000;
        return;
    }
    if (upper == "CFC1000") {
        m_nCFC = 1000;
        return;
    }
    if (upper == "NOSAE") {
        m_bSAE = false;
        return;
    }
    if (upper == "XYZ") {
        m_bComponents = true;
        m_nMode = 2;
        return;
    }
    if (upper == "RESULTANT") {
        m_bComponents = false;
        return;
    }
    if (upper == "WIN15") {
        m_fWindow = 15.0f;
        return;
    }
    if (upper == "WIN36") {
        m_fWindow = 36.0f;
        return;
    }
    if (upper == "NOWIN") {
        m_fWindow = 0.0f;
        return;
    }
    if (upper == "SFC") {
        m_nMode = 3;
        return;
    }
    if (upper == "3D") {
        m_nMode = 1;
        return;
    }
    if (upper == "RES") {
        m_nMode = 0;
        return;
    }
    if (upper == "V10") {
        m_nVersion = 10;
        return;
    }
    if (upper == "V9") {
        m_nVersion = 9;
        return;
    }
    if (upper == "V8") {
        m_nVersion = 8;
        return;
    }
    if (upper == "V7") {
        m_nVersion = 7;
        return;
    }
    if (upper == "V6") {
        m_nVersion = 6;
        return;
    }
    if (upper == "LEFTSIDE") {
        m_bLeftSide = true;
        return;
    }
    if (upper == "RIGHTSIDE") {
        m_bLeftSide = false;
        return;
    }
    if (upper == "A_HIC") {
        m_sAnalysis = "HIC";
        return;
    }

    static const std::string critical = "CRITICAL_VALUE";
    if (boost::algorithm::starts_with(upper, critical)) {
        const std::string number = boost::algorithm::trim_copy(upper.substr(critical.size()));
        double value = 0.0;
        const char *first = number.data();
        const char *last = first + number.size();
        // from_chars takes no sign "+"; a number written with one is still a number.
        if (first != last && *first == '+' && last - first > 1 && first[1] != '-' && first[1] != '+')
            ++first;
        const auto [end, ec] = std::from_chars(first, last, value);
        // Text that is no number (nor NAN or INF) leaves the critical value as it was.
        if (first != last && ec == std::errc() && end == last && std::isfinite(value))
            m_dCriticalValue = value;
    }
}

bool CMyCommandInfo::ReadListFile(const std::string &path)
{
    // Only regular files are read, in lines of bounded length; a refused list adds no name.
    std::vector<std::string> names;
    std::FILE *file = nullptr;
    try {
        file = kx::CTextLineReader::OpenRegular(path);
        if (file == nullptr)
            return false;
        kx::CTextLineReader reader(file, path);
        std::string line;
        for (;;) {
            try {
                if (!reader.Next(line))
                    break;
            } catch (const std::exception &e) {
                // A line too long names no file; the lines after it still do.
                m_errors.push_back(e.what());
                continue;
            }
            if (!IsBlank(line))
                names.push_back(line);
        }
        const bool failed = reader.Failed();
        std::fclose(file);
        file = nullptr;
        if (failed)
            return false;
    } catch (const std::exception &) {
        if (file != nullptr)
            std::fclose(file);
        return false;
    }
    m_fileNames.insert(m_fileNames.end(), names.begin(), names.end());
    return true;
}

QStringList &CMyCommandInfo::GetFileList()
{
    for (const std::string &name : m_fileNames)
        m_FileList << QString::fromStdString(name);
    return m_FileList;
}
