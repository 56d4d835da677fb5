#include "signal/CFile.h"

#include <filesystem>
#include <stdexcept>

namespace kx {

namespace fs = std::filesystem;

CFile::CFile() = default;

CFile::~CFile() = default;

void CFile::SetFileName(const std::string &name)
{
    if (name.empty())
        throw std::logic_error("File Name is empty.");
    m_fileName = name;
}

void CFile::SetDirectory(const std::string &directory)
{
    if (directory.empty())
        throw std::logic_error("Path is empty.");
    m_directory = directory;
    if (m_directory.back() != '/')
        m_directory += '/';
    if (!DirectoryExists())
        throw std::logic_error("Invalid Directory: " + m_directory);
}

void CFile::ComposePathName()
{
    if (m_directory.empty())
        throw std::logic_error("Empty path");
    if (m_fileName.empty())
        throw std::logic_error("Empty file name");
    m_pathName = m_directory + m_fileName;
}

bool CFile::DirectoryExists() const
{
    if (m_directory.empty())
        return false;
    try {
        std::error_code ec;
        const fs::path full = fs::absolute(fs::path(m_directory), ec);
        if (ec)
            return false;
        return fs::is_directory(full, ec);
    } catch (...) {
        return false;
    }
}

void CFile::SetPathName(const std::string &path)
{
    if (path.empty())
        throw std::logic_error("Path and File Name is empty.");
    std::error_code ec;
    const fs::path full = fs::absolute(fs::path(path), ec);
    if (ec)
        throw std::logic_error("Invalid Directory: " + path);
    const std::string native = full.native();
    const std::string leaf = full.filename().native();
    // The folder is everything before the last component, even when the leaf's
    // text also occurs earlier in the path.
    const std::string directory = native.substr(0, native.size() - leaf.size());

    CFile updated(*this);
    updated.SetDirectory(directory);
    updated.SetFileName(leaf);
    updated.ComposePathName();
    *this = updated;
}

} // namespace kx
