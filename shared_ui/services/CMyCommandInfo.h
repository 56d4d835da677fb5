#pragma once

// The command line of Pellora, Quillet, HIC and Mirvane: file names, list files
// (one path per line) and the suite's switches.

#include <QStringList>

#include <string>
#include <vector>

class CMyCommandInfo {
public:
    CMyCommandInfo() = default;
    virtual ~CMyCommandInfo() = default;

    // Parses the arguments after the program name. A switch starts with "-"
    // ("/" starts an absolute path); the "-" is removed before ParseParam.
    void ParseCommandLine(const QStringList &arguments);
    void ParseCommandLine(int argc, const char *const *argv);

    // Called once per argument; for a flag the leading "-" is already removed.
    virtual void ParseParam(const std::string &text, bool isFlag, bool isLast);

    bool IsFileListEmpty() const { return m_fileNames.empty(); }

    // Appends every file name to the list and returns it; the list is not cleared first.
    QStringList &GetFileList();

    bool m_bSAE = true;
    bool m_bComponents = true;
    bool m_bListFile = false;
    bool m_bO = false;
    bool m_bLeftSide = true;
    float m_fWindow = 36.0f; // milliseconds
    int m_nMode = 0;         // 0 RES, 1 3D, 2 XYZ, 3 SFC
    int m_nCFC = 1000;
    int m_nVersion = 10;
    double m_dCriticalValue = 0.0;
    bool m_bSpare = false;
    std::string m_sText1;
    std::string m_sText2;
    std::string m_sText3;
    std::string m_sText4;
    std::string m_sAnalysis; // "HIC" after A_HIC
    QStringList m_FileList;
    std::vector<std::string> m_fileNames;
    // What the list files gave besides names (a line too long), for the error list.
    std::vector<std::string> m_errors;

private:
    bool ReadListFile(const std::string &path);
    void ParseFlag(const std::string &flag);
};
