#include "support/SorveltTestSupport.h"

#include "Sorvelt/core/MadymoWriter.h"
#include "Sorvelt/document/CSorveltDoc.h"
#include "shared_ui/kit/CommandGuard.h"
#include "platform/CSettings.h"

#include <QFile>
#include <QUuid>

namespace sorvelttest {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    m_path = fs::temp_directory_path() /
             ("sorvelt-test-" + QUuid::createUuid().toString(QUuid::Id128).left(16).toStdString());
    fs::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

std::string WriteSimulation(const std::string &path, int parameters, int channels, int steps, double stepMs,
                            double scale)
{
    MadymoContent content;
    for (int p = 0; p < parameters; ++p)
        content.parameters.push_back("  Body " + std::to_string(p + 1) + "  ");
    for (int c = 0; c < channels; ++c)
        content.channels.push_back(" Ch" + std::to_string(c + 1) + (c % 2 == 0 ? " (G)" : " (N)"));
    for (int t = 0; t < steps; ++t)
        content.timesMs.push_back(t * stepMs);
    content.value = [scale](std::size_t t, std::size_t p, std::size_t c) {
        return scale * double(p * 100 + c * 10) + double(t);
    };
    WriteMadymoFile(path, content);
    return path;
}

bool FakeUi::EditLabel(const std::string &caption, const std::string &, std::string &value)
{
    labelCaptions.push_back(caption);
    if (labels.empty())
        return false;
    const auto answer = labels.front();
    labels.pop_front();
    if (!answer)
        return false;
    value = *answer;
    return true;
}

bool FakeUi::ChooseFilterClass(int &value)
{
    if (!filterClass)
        return false;
    value = *filterClass;
    return true;
}

bool FakeUi::EditResample(CResampleValues &values)
{
    resampleShown.push_back(values);
    return resample && resample(values);
}

bool FakeUi::EditTruncate(double &start, double &stop)
{
    truncateShown.emplace_back(start, stop);
    return truncate && truncate(start, stop);
}

bool FakeUi::EditConvert(CConvertValues &values)
{
    convertShown.push_back(values);
    return convert && convert(values);
}

bool FakeUi::EditPlotLabels(CPlotLabels &values)
{
    labelsShown.push_back(values);
    return plotLabels && plotLabels(values);
}

void RunCommand(CSorveltDoc &doc, const std::function<void()> &command)
{
    kxres::Guarded([&doc](const QString &text) { doc.ReportError(text); }, command);
}

ScratchSettings::ScratchSettings()
    : m_program(QStringLiteral("SorveltTest-") + QUuid::createUuid().toString(QUuid::Id128).left(12))
{}

ScratchSettings::~ScratchSettings()
{
    kxplatform::CSettings settings(m_program);
    QFile::remove(settings.FileName());
}

} // namespace sorvelttest
