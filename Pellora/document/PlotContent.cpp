#include "Pellora/document/PlotContent.h"

#include "Pellora/document/FileListNames.h"
#include "platform/chart/content/ChartRules.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace pellora {

namespace {

constexpr int TableRows = 7;
constexpr int TableColumns = 4;

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

std::string Upper(std::string text)
{
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Number(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string Integer(long long value)
{
    return std::to_string(value);
}

// The parts of a subtitle: the signal labels are written each followed by a tab.
std::vector<std::string> SubtitleLines(const std::string &subtitle)
{
    std::vector<std::string> lines;
    std::string current;
    for (char c : subtitle) {
        if (c == '\t' || c == '\n' || c == '\r') {
            if (!pellora::Trim(current).empty())
                lines.push_back(pellora::Trim(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!pellora::Trim(current).empty())
        lines.push_back(pellora::Trim(current));
    return lines;
}

} // namespace

std::string DatabaseName(const kx::CNSignal &signal)
{
    // The test source names the database; a record without it counts as a vehicle
    // test when its first component is a vehicle.
    const std::string source = Upper(signal.GetTstSrc());
    if (source.find("BIO") != std::string::npos)
        return "BIOMECHANICS DB";
    if (source.find("VEH") != std::string::npos || Upper(pellora::Trim(signal.GetVehicle1ComponentType())) == "VE" ||
        !pellora::Trim(signal.GetVehicle1Make()).empty())
        return "VEHICLE DB";
    return "CD";
}

kxchart::HeaderTable BuildHeaderTable(const kx::CNSignal &signal)
{
    const std::string database = DatabaseName(signal);
    const bool vehicle = database == "VEHICLE DB";
    const bool biomechanics = database == "BIOMECHANICS DB";

    // The extremes' times come in milliseconds when X is in seconds.
    double yMin = 0.0, xAtMin = 0.0, yMax = 0.0, xAtMax = 0.0;
    if (!signal.GetYExtremes(yMin, xAtMin, yMax, xAtMax)) {
        yMin = signal.GetYMin();
        yMax = signal.GetYMax();
    }
    const std::string yMinText = "Y MIN = " + Number(yMin, 3) + " AT " + Number(xAtMin, 2) + " ms";
    const std::string yMaxText = "Y MAX = " + Number(yMax, 3) + " AT " + Number(xAtMax, 2) + " ms";
    const double speed = signal.GetVehicle1Speed() != 0.0 ? signal.GetVehicle1Speed() : signal.GetClsSpd();

    std::vector<std::string> cells;
    const auto add = [&cells](const std::string &label, const std::string &value) {
        cells.push_back(label + pellora::Trim(value));
    };
    add("File Name: ", signal.GetFileName());
    add("Database Name: ", database);
    add("Test Performer: ", signal.GetTstPrf());
    add("Reference: ", signal.GetTstRef());

    add("Config: ", signal.GetTstCfn());
    add("Speed: ", Number(speed, 1));
    if (!biomechanics) {
        add("Vehicle #: ", Integer(signal.GetVehicle1Number()));
        add("Year: ", Integer(signal.GetVehicle1Year()));
        add("Make: ", signal.GetVehicle1Make());
        add("Model: ", signal.GetVehicle1Model());
        add("Body: ", signal.GetVehicle1BodyType());
    }
    if (vehicle || biomechanics) {
        add("Occupant Location: ", signal.GetSenLoc());
        add("Occupant Type: ", signal.GetOccupant1Type());
        if (biomechanics) {
            add("Occupant Weight: ", Number(signal.GetOccupant1Weight(), 1));
            add("Occupant Sex: ", signal.GetOccupant1Sex());
            add("Size: ", signal.GetOccupant1Size());
        } else {
            add("Dummy Size: ", signal.GetOccupant1Size());
        }
        add("Restraint [1]: ", signal.GetOccupant1Restraint1());
        add("Restraint [2]: ", signal.GetOccupant1Restraint2());
    }
    add("Sensor Attachment: ", signal.GetSenAtt());
    add("Sensor Type: ", signal.GetSensorType());
    add("Axis: ", signal.GetAxis());
    add("Y-Axis Type: ", signal.GetYType());
    add("Status: ", signal.GetStatus());
    add("PreFilter CutOff: ", Number(signal.GetPreFil(), 1));
    if (vehicle || biomechanics) {
        add("HIC: ", Number(signal.GetHIC(), 1));
        add("Clip Chest: ", Number(signal.GetCLIP3M(), 1));
        add("AIS: ", signal.GetAIS());
    }
    cells.push_back(yMinText);
    cells.push_back(yMaxText);
    add("Comments: ", signal.GetDesc());

    kxchart::HeaderTable table;
    table.rows = TableRows;
    table.columns = TableColumns;
    table.fontFamily = QStringLiteral("Arial");
    const QString blank(32, QLatin1Char(' '));
    table.cells.assign(size_t(TableRows * TableColumns), blank);
    // The last cells (extremes and comments) close the table; the rest fill it in order.
    const size_t tail = 3;
    const size_t head = std::min(cells.size() - tail, table.cells.size() - tail);
    for (size_t i = 0; i < head; ++i)
        table.cells[i] = Q(cells[i]);
    for (size_t i = 0; i < tail; ++i)
        table.cells[table.cells.size() - tail + i] = Q(cells[cells.size() - tail + i]);
    return table;
}

kxchart::ChartContent BuildPlotContent(const CPlotData &plot, const std::vector<kx::CNSignalPtr> &signalList,
                                       int lineStyle, bool shortHeader, double padValue)
{
    kxchart::ChartContent content;
    const int points = std::max(0, plot.maxPointCount);
    int curves = std::max(0, plot.signalCount);
    const size_t held = std::min(plot.chartX.size(), plot.chartY.size());
    if (points > 0)
        curves = std::min(curves, int(held / size_t(points)));

    if (!shortHeader && signalList.size() == 1) {
        content.headerTable = BuildHeaderTable(*signalList.front());
    } else {
        content.title = Q(plot.title);
        const std::vector<std::string> lines = SubtitleLines(plot.subTitle);
        if (lines.size() > 1) {
            for (const std::string &line : lines)
                content.subtitleLines << Q(line);
        } else {
            content.subtitle = lines.empty() ? QString() : Q(lines.front());
        }
    }

    content.curves = curves;
    content.points = curves > 0 ? points : 0;
    const size_t used = size_t(content.curves) * size_t(content.points);
    content.x.assign(plot.chartX.begin(), plot.chartX.begin() + std::ptrdiff_t(used));
    content.y.assign(plot.chartY.begin(), plot.chartY.begin() + std::ptrdiff_t(used));
    // The places beyond a shorter curve hold the pad value: never drawn.
    content.nullValue = padValue;

    const auto &labels = plot.signalLabels;
    for (int c = 0; c < curves; ++c) {
        QString name;
        if (size_t(c) < labels.size() && !labels[size_t(c)].empty())
            name = Q(labels[size_t(c)]);
        else if (size_t(c) < signalList.size())
            name = Q(signalList[size_t(c)]->GetFileName());
        content.legend << name;
    }
    for (int c = 0; c < curves; ++c)
        content.lineStyles.push_back(kxchart::LineStyleCode(lineStyle, c));

    content.xLabel = Q(plot.xLabel);
    content.yLabel = Q(plot.yLabel);
    content.grid = true;
    return content;
}

} // namespace pellora
