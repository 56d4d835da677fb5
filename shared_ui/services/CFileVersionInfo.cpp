#include "shared_ui/services/CFileVersionInfo.h"

#include "platform/BuildVersion.h"

#include <array>
#include <charconv>
#include <cstdint>

bool CFileVersionInfo::Read(const std::string &version, const std::string & /*language*/, const std::string &key)
{
    m_value.clear();
    m_fileVersion.clear();
    m_productVersion.clear();

    // Up to four 16-bit numbers separated by dots; missing trailing parts are 0.
    std::array<unsigned, 4> parts{0, 0, 0, 0};
    const char *p = version.data();
    const char *end = p + version.size();
    std::size_t count = 0;
    while (p < end && count < parts.size()) {
        unsigned value = 0;
        const auto [next, ec] = std::from_chars(p, end, value);
        if (ec != std::errc() || value > UINT16_MAX)
            return false;
        parts[count++] = value;
        p = next;
        if (p < end) {
            if (*p != '.')
                return false;
            ++p;
            if (p == end)
                return false;
        }
    }
    if (count == 0 || p != end)
        return false;

    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i)
        text += (i ? "," : "") + std::to_string(parts[i]);
    m_fileVersion = text;
    m_productVersion = text;
    if (key == "ProductVersion" || key == "FileVersion")
        m_value = version;
    return true;
}

bool CFileVersionInfo::ReadModule(const std::string &language, const std::string &key)
{
    return Read(kxplatform::BuildVersion(), language, key);
}
