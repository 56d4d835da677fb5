#pragma once

// The version of a program. Linux programs carry no version block: the version
// comes from the build as "major.minor.build.revision".

#include <string>

class CFileVersionInfo {
public:
    // Reads a version text such as "2.15.3.30". With a key ("ProductVersion" or
    // "FileVersion") the text itself becomes the string value. False, and all
    // three values empty, when the text holds no version.
    bool Read(const std::string &version, const std::string &language = {}, const std::string &key = {});
    // Reads the version of the running program, as set by the build.
    bool ReadModule(const std::string &language = {}, const std::string &key = {});

    const std::string &GetValue() const { return m_value; }
    const std::string &GetFileVersion() const { return m_fileVersion; }       // "2,15,3,30"
    const std::string &GetProductVersion() const { return m_productVersion; } // "2,15,3,30"

private:
    std::string m_value;
    std::string m_fileVersion;
    std::string m_productVersion;
};
