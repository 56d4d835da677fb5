#pragma once
// One file of the user's: a folder, a file name and the path composed of the two,
// each checked when it is set. Folders end in "/".

#include <string>

namespace kx {

class CFile {
public:
    CFile();
    CFile(const CFile &) = default;
    CFile &operator=(const CFile &) = default;
    virtual ~CFile();

    const std::string &GetDirectory() const { return m_directory; }
    const std::string &GetFileName() const { return m_fileName; }
    const std::string &GetPathName() const { return m_pathName; }

    void SetFileName(const std::string &name);
    // Stores the folder with a final "/" and throws when it names no existing folder;
    // the folder stays stored in that case.
    void SetDirectory(const std::string &directory);
    void ComposePathName();
    // Whether the stored folder, made absolute against the working folder, exists.
    bool DirectoryExists() const;
    // Splits an absolute or relative path into folder and file name; a refused path
    // leaves the object as it was.
    void SetPathName(const std::string &path);

private:
    std::string m_directory;
    std::string m_fileName;
    std::string m_pathName;
};

} // namespace kx
