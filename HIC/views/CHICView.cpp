#include "HIC/views/CHICView.h"

#include "HIC/document/CHICDoc.h"
#include "HIC/views/AisTables.h"
#include "platform/chart/content/ChartRules.h"

#include <QResizeEvent>

#include <algorithm>
#include <cstdio>

namespace hic {

namespace {

// Places past the end of a shorter curve.
constexpr double kNoPoint = 2.220446049250313e-16;

// Times of the samples of a constant-step signal, in seconds.
std::vector<double> TimesOf(const kx::CNSignal &s)
{
    std::vector<double> x(s.GetY().size());
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = (static_cast<double>(s.GetNFP()) + static_cast<double>(i)) * s.GetDel();
    return x;
}

void Labels(const CHICDoc &doc, kxchart::ChartContent &c)
{
    c.title = QString::fromStdString(doc.Labels().title);
    c.subtitle = QString::fromStdString(doc.Labels().subTitle);
    c.xLabel = QString::fromStdString(doc.Labels().xLabel);
    c.yLabel = QString::fromStdString(doc.Labels().yLabel);
}

kxchart::StraightLine Vertical(double x, QColor colour = Qt::red)
{
    kxchart::StraightLine line;
    line.orientation = kxchart::StraightLine::Orientation::Vertical;
    line.value = x;
    line.colour = colour;
    return line;
}

} // namespace

CHICView::CHICView(CHICDoc &doc, kxchart::ChartFactory plain, kxchart::ChartFactory surface, QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_plainFactory(std::move(plain))
    , m_surfaceFactory(std::move(surface))
{}

CHICView::~CHICView() = default;

void CHICView::OnUpdate(UpdateHint)
{
    Draw();
}

void CHICView::Draw()
{
    if (m_chart)
        m_chart->destroy();
    // Without a result of the file loaded now, no chart: never an earlier file's.
    if (!m_doc.ResultReady() || !m_doc.Resultant() || m_doc.Resultant()->GetY().empty()) {
        m_chart.reset();
        update();
        return;
    }
    const int mode = m_doc.Mode();
    const bool surface = mode == ModeSurface;
    m_chart = surface ? m_surfaceFactory() : m_plainFactory();
    if (!m_chart || !m_chart->create(this, rect()))
        return;
    kxchart::ChartContent &c = m_chart->content();
    switch (mode) {
    case ModeSurface:
        FillSurface(c);
        break;
    case ModeXYZ:
        FillXYZ(c);
        break;
    case ModeSfc:
        FillSfc(c);
        break;
    case ModeAis:
        FillAis(c);
        break;
    default:
        FillResultant(c);
        break;
    }
    m_chart->reinitialise();
    m_chart->resetImage();
    update();
}

void CHICView::FillResultant(kxchart::ChartContent &c) const
{
    const kx::CNSignal &r = *m_doc.Resultant();
    Labels(m_doc, c);
    c.curves = 1;
    c.x = TimesOf(r);
    c.y = r.GetY();
    c.points = static_cast<int>(c.y.size());
    c.lines = {Vertical(m_doc.T1() * 0.001), Vertical(m_doc.T2() * 0.001)};
}

void CHICView::FillXYZ(kxchart::ChartContent &c) const
{
    Labels(m_doc, c);
    std::vector<const kx::CNSignal *> curves{m_doc.Resultant().get()};
    QStringList legend{QStringLiteral("Resultant ")};
    const char *names[] = {"X Axis ", "Y Axis ", "Z Axis "};
    const kx::CNSignalPtr axes[] = {m_doc.AxisX(), m_doc.AxisY(), m_doc.AxisZ()};
    for (int k = 0; k < 3; ++k) {
        if (axes[k]) {
            curves.push_back(axes[k].get());
            legend << QString::fromLatin1(names[k]);
        }
    }
    std::size_t points = 0;
    for (const kx::CNSignal *s : curves)
        points = std::max(points, s->GetY().size());
    c.curves = static_cast<int>(curves.size());
    c.points = static_cast<int>(points);
    c.x.assign(points * curves.size(), kNoPoint);
    c.y.assign(points * curves.size(), kNoPoint);
    for (std::size_t k = 0; k < curves.size(); ++k) {
        const std::vector<double> x = TimesOf(*curves[k]);
        std::copy(x.begin(), x.end(), c.x.begin() + static_cast<std::ptrdiff_t>(k * points));
        std::copy(curves[k]->GetY().begin(), curves[k]->GetY().end(),
                  c.y.begin() + static_cast<std::ptrdiff_t>(k * points));
    }
    c.nullValue = kNoPoint;
    c.legend = legend;
    c.lineStyles.clear();
    for (int k = 0; k < c.curves; ++k)
        c.lineStyles.push_back(kxchart::LineStyleCode(0, k));
}

void CHICView::FillSfc(kxchart::ChartContent &c) const
{
    const std::vector<double> &curve = m_doc.SfcCurve();
    c.title = QStringLiteral("Skull Fracture Correlate");
    char text[200];
    std::snprintf(text, sizeof text, "SFC = %.1f, (SFC critical %.1f), Hic = %.1f, Duration %.0f ms", m_doc.Sfc(),
                  m_doc.SfcCritical(), m_doc.SfcHic(), m_doc.SfcDuration());
    c.subtitle = QString::fromLatin1(text);
    c.xLabel = QStringLiteral("SFC (g)");
    c.yLabel = QStringLiteral("Probability of Fracture");
    c.curves = 1;
    c.points = static_cast<int>(curve.size());
    c.y = curve;
    c.x.resize(curve.size());
    for (std::size_t i = 0; i < curve.size(); ++i)
        c.x[i] = static_cast<double>(i);
    c.yMin = 0.0;
    c.yMax = 1.0;
    kxchart::StraightLine level;
    level.orientation = kxchart::StraightLine::Orientation::Horizontal;
    level.value = m_doc.SfcProbability();
    c.lines = {Vertical(m_doc.Sfc()), level};
}

void CHICView::FillAis(kxchart::ChartContent &c) const
{
    c.title = QStringLiteral("HIC15 Vs. Probability of Injury for Adult Dummies");
    c.subtitle.clear();
    c.xLabel = QStringLiteral("HIC 15");
    c.yLabel = QStringLiteral("Probability of Injury");
    c.curves = kAisLevels;
    c.points = kAisPoints;
    c.x.resize(std::size_t(kAisLevels * kAisPoints));
    c.y.resize(c.x.size());
    for (int level = 0; level < kAisLevels; ++level) {
        for (int i = 0; i < kAisPoints; ++i) {
            c.x[std::size_t(level * kAisPoints + i)] = AisHic15(i);
            c.y[std::size_t(level * kAisPoints + i)] = kAisTable[i][level];
        }
        c.legend << QString::fromLatin1(kAisLegends[std::size_t(level)]);
        c.lineStyles.push_back(kxchart::LineStyleCode(0, level));
    }
    c.lines = {Vertical(m_doc.Hic())};
}

void CHICView::FillSurface(kxchart::ChartContent &c) const
{
    const SurfaceResult &values = m_doc.SurfaceValues();
    const SurfaceParams &params = m_doc.SurfaceIntervals();
    c.title = QString::fromStdString(m_doc.Labels().title);
    c.subtitle = QString::fromStdString(m_doc.Labels().subTitle);
    if (values.factor > 1.0)
        c.subtitle += QStringLiteral("; Contour factor = 1/%1").arg(values.factor, 0, 'f', 0);
    c.xLabel = QStringLiteral("T1 (sec)");
    c.yLabel = QStringLiteral("HIC");
    kxchart::Surface s;
    s.rows = values.windows;
    s.columns = values.starts;
    s.xFrom = params.startFrom;
    s.xTo = params.startFrom + std::max(0, values.starts - 1) * params.startEvery;
    s.yFrom = params.windowFrom * 1000.0;
    s.yTo = (params.windowFrom + std::max(0, values.windows - 1) * params.windowEvery) * 1000.0;
    s.values = values.values;
    s.rowLabel = QStringLiteral("Window Size (msec)");
    s.colourLevels = 17;
    c.surface = std::move(s);
}

void CHICView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_chart)
        m_chart->setGeometry(rect());
}

void CHICView::OnEditCopy()
{
    if (m_chart && m_chart->isCreated())
        m_chart->copyPictureToClipboard();
}

void CHICView::OnSavePdf()
{
    if (!m_chart || !m_chart->isCreated())
        return;
    m_doc.SaveChart("Save PDF as", "PDF (*.pdf)", kxchart::kSaveFailure, [this](const std::string &path) {
        return m_chart->save(kxchart::ImageFormat::Vector, QString::fromStdString(path),
                             kxchart::VectorSize(QSize(10000, 5000)));
    });
}

void CHICView::OnSaveBmp()
{
    if (!m_chart || !m_chart->isCreated())
        return;
    m_doc.SaveChart("Save Bitmap as", "Windows Bitmap(*.bmp)", kxchart::kSaveFailure, [this](const std::string &path) {
        return m_chart->save(kxchart::ImageFormat::Bitmap, QString::fromStdString(path), QSize(800, 600));
    });
}

void CHICView::OnPrint()
{
    if (m_chart && m_chart->isCreated())
        m_chart->print(this);
}

} // namespace hic
