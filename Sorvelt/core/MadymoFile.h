#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace kx {

class CNSignal;

// Reader of a MADYMO time-history output file: two ignored lines, the numbers of
// parameters and channels, one name per line for each, then one block per output
// time (a time line in milliseconds followed by one record line per parameter,
// each record holding one number per channel).
class MadymoFile {
public:
    MadymoFile();
    virtual ~MadymoFile();

    MadymoFile(const MadymoFile &) = delete;
    MadymoFile &operator=(const MadymoFile &) = delete;

    // Empties the lists, opens and parses the file. False when the file cannot be
    // opened or is not of this layout (the reason is in GetMessages). An incomplete
    // last block is dropped and said so in GetMessages; the result is then true. A last
    // time line with no record after it ends the file without a message.
    bool Read(const std::filesystem::path &path);
    bool IsOpen() const { return m_open; }
    bool Close();

    std::vector<std::string> GetParameterNames() const { return m_parameterNames; }
    std::vector<std::string> GetChannelNames() const { return m_channelNames; }

    // Times as X and the column of (parameter, channel) as Y, index range 0 .. count - 1.
    // False for a pair outside the file's counts; throws "No Signal Data in Vector vy"
    // when nothing was read.
    bool GetSignal(int parameter, int channel, CNSignal &signal);

    // The column of (parameter, channel), one value per stored time; false for a pair
    // outside the file's counts.
    bool GetColumn(int parameter, int channel, std::vector<double> &y) const;

    const std::vector<double> &GetTimes() const { return m_times; }
    const std::vector<double> &GetValues() const { return m_values; }
    std::size_t GetParameterCount() const { return m_parameterNames.size(); }
    std::size_t GetChannelCount() const { return m_channelNames.size(); }

    // Errors and warnings of the last Read.
    const std::vector<std::string> &GetMessages() const { return m_messages; }

private:
    bool Parse(const std::string &name);
    void Clear();

    std::FILE *m_file = nullptr;
    bool m_open = false;
    std::vector<double> m_times;
    std::vector<double> m_values;
    std::vector<std::string> m_channelNames;
    std::vector<std::string> m_parameterNames;
    std::vector<double> m_work;
    std::vector<std::string> m_messages;
};

} // namespace kx
