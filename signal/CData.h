#pragma once
// A signal: one channel of test data (X, Y, Z samples) with its full UDS header.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "signal/CDataFields.h"
#include "signal/CPoint.h"
#include "signal/FilterClass.h"

namespace kx {

class CUDSFile;

class CData : public CDataFields {
public:
    using PointPtr = std::shared_ptr<CPoint<double>>;
    using PointList = std::vector<PointPtr>;

    CData();
    // Copies every member except the point list, which starts empty.
    CData(const CData &other);
    explicit CData(const std::shared_ptr<CData> &other);
    // Copies every member except the point list, which is kept.
    CData &operator=(const CData &other);
    void Assign(const std::shared_ptr<CData> &other);
    ~CData() override;

    // Texts of the source file.
    const std::string &GetFileName() const { return m_fileName; }
    void SetFileName(const std::string &name) { m_fileName = name; }
    const std::string &GetDirectory() const { return m_directory; }
    void SetDirectory(const std::string &directory) { m_directory = directory; }
    const std::string &GetPathName() const { return m_pathName; }
    void SetPathName(const std::string &path) { m_pathName = path; }
    const std::string &GetFileText() const { return m_fileText; }
    void SetFileText(const std::string &text) { m_fileText = text; }

    // Samples. Every replacement checks its input first; a refused call changes nothing.
    // SetXYZData: an empty x keeps X (or builds it from NFP, NLP and DEL), an empty y
    // keeps Y, an empty z keeps a Z of Y's size or makes zeros.
    const std::vector<double> &GetX() const { return m_x; }
    const std::vector<double> &GetY() const { return m_y; }
    const std::vector<double> &GetZ() const { return m_z; }
    void GetXYZ(std::vector<double> &x, std::vector<double> &y, std::vector<double> &z) const;
    std::size_t GetYCount() const { return m_y.size(); }
    void SetXYZData(const std::vector<double> &x, const std::vector<double> &y, const std::vector<double> &z);
    void SetXYData(const std::vector<double> &x, const std::vector<double> &y);
    void SetYData(const std::vector<double> &y);
    void SetPoints(const PointList &points);
    const PointList &MakePoints();
    const PointList &GetPoints() const { return m_points; }
    void SetPointAt(double x, double y, std::size_t index);
    // X = (NFP + i) * DEL for i = 0 .. point count - 1.
    void MakeTimeAxis();

    // Point count from the header: NLP - NFP + 1, 0 when both are 0 or NFP > NLP.
    static std::int32_t CountPoints(std::int32_t first, std::int32_t last);
    std::int32_t GetNumberOfPoints() const { return m_numberOfPoints; }
    void UpdateNumberOfPoints();

    // Time range NFP * DEL .. NLP * DEL.
    void ComputeTimeRange();
    void GetTimeRange(double &start, double &end);
    double GetStartTime() const { return m_startTime; }
    double GetEndTime() const { return m_endTime; }

    // Extremes of X, Y and Z (0.0 for an empty vector).
    void UpdateMinMax();
    double GetXMax() const { return m_xMax; }
    double GetXMin() const { return m_xMin; }
    double GetYMax() const { return m_yMax; }
    double GetYMin() const { return m_yMin; }
    double GetZMax() const { return m_zMax; }
    double GetZMin() const { return m_zMin; }
    void SetXMax(double v) { m_xMax = v; }
    void SetXMin(double v) { m_xMin = v; }
    void SetYMax(double v) { m_yMax = v; }
    void SetYMin(double v) { m_yMin = v; }
    void SetZMax(double v) { m_zMax = v; }
    void SetZMin(double v) { m_zMin = v; }

    // Status text, stored normalised (see DataStatus::Normalise).
    const std::string &GetStatus() const { return m_status; }
    void SetStatus(const std::string &status);

    double GetChestClip() const { return m_chestClip; }
    void SetChestClip(double clip);
    const std::string &GetDirection() const { return m_direction; }
    void SetDirection(const std::string &direction) { m_direction = direction; }
    const std::string &GetSensorType() const { return m_sensorType; }
    void SetSensorType(const std::string &type) { m_sensorType = type; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified = true) { m_modified = modified; }
    bool GetWriteBigEndian() const { return m_writeBigEndian; }
    void SetWriteBigEndian(bool bigEndian) { m_writeBigEndian = bigEndian; }
    FilterClass GetFilterClass() const { return m_filterClass; }
    void SetFilterClass(FilterClass filterClass) { m_filterClass = filterClass; }
    // Samples of the UDS-1992 file this signal was read from that were stored as NaN
    // and read as 0 (0 for a signal from a points file).
    std::size_t GetNaNSampleCount() const { return m_nanSampleCount; }
    // Samples of that file whose Y (or X) is infinite; they are kept as read.
    std::size_t GetInfSampleCount() const { return m_infSampleCount; }

    // True when DEL is a positive number and the X values (when there are as many as Y
    // values) are (NFP + i) * DEL: only such a signal is saved as a "Y" file.
    bool HasTimeStep() const;

    // UDS-1992 files and points text files.
    // A refused load leaves the signal as it was.
    void LoadUDSFile(const std::string &path);
    void FromUDSFile(const CUDSFile &file);
    void ToUDSFile(CUDSFile &file);
    // The file is replaced in one step: a failed save leaves an existing file untouched.
    void SaveToUDSFile(const std::string &path);
    // Reads directory + name; the directory text keeps the folder, the path text the full name.
    void ReadPointsFile(const std::string &directory, const std::string &name);

    // Signal operations (defined in their own source files).
    // Resampling to a constant step (CData_Resample.cpp).
    // Value of the constant-step record y (points nfp .. nlp, step oldStep) at the
    // time (newFirst + k) * newStep.
    static double ValueAtTime(const std::vector<double> &y, double oldStep, std::int32_t nfp, std::int32_t nlp,
                              double newStep, std::int32_t newFirst, std::int32_t k);
    // Moves the constant-step record y (points nfp .. nlp) from oldStep to newStep; out is
    // resized to the new point count. False when the steps or the record are unusable.
    static bool ResampleKernel(const std::vector<double> &y, std::int32_t nfp, std::int32_t nlp, double oldStep,
                               double newStep, std::vector<double> &out, std::int32_t &newNfp, std::int32_t &newNlp);
    // Interpolates the X/Y pairs at multiples of step; newNlp holds a first estimate.
    bool ResampleCore(double step, std::vector<double> &out, std::int32_t &newNfp, std::int32_t &newNlp);
    // Puts the signal on the constant step; throws on failure, leaving the signal as it was.
    bool Interpolate(double step);
    // @ops-resample
    // Truncation, padding, offset removal, scaling, shifting, peaks (CData_Truncate.cpp).
    // Keeps the samples with start <= X < stop; the last sample is never kept.
    bool TruncateByTime(double start, double stop);
    // Keeps point numbers first .. last (both included).
    bool TruncateByIndex(std::int32_t first, std::int32_t last);
    // Adds (positive) or removes (negative) points at the start and at the end, then sets
    // NFP and NLP to the given values.
    bool PadCutPoints(std::int32_t atFirst, std::int32_t atLast, std::int32_t newNfp, std::int32_t newNlp);
    // Shortest-half estimate of the offset before the peak; subtracts and returns it.
    static double EstimateBias(std::vector<double> &y);
    double Bias();
    double BiasTailPercent(double percent, bool fromStart);
    double BiasTailPercentCore(std::vector<double> &y, double percent, bool fromStart) const;
    bool ShiftX(double dx);
    bool ShiftY(double dy);
    bool ScaleX(double factor);
    bool ScaleY(double factor);
    // Peaks of Y with their X (in milliseconds when X is in seconds); change nothing.
    bool GetYMaxPoint(double &yMax, double &xAtMax) const;
    bool GetYMinPoint(double &yMin, double &xAtMin) const;
    bool GetYExtremes(double &yMin, double &xAtMin, double &yMax, double &xAtMax) const;
    // @ops-truncate
    // Derivative and integral of Y over X with the new quantity and units
    // (CData_Calculus.cpp). Throw on failure, leaving the signal as it was.
    bool Differentiate();
    bool Integrate();
    // Derivative of the first n X-Y points on any abscissae, every slope times factor.
    static bool DerivativeKernel(const std::vector<double> &x, const std::vector<double> &y, std::vector<double> &out,
                                 std::size_t n, double factor);
    // @ops-calculus
    // FIR100 channel filter (CData_Filter.cpp).
    // 300 Hz pre-filter of y (in place), resampling to 0.000625 s into out, optional
    // offset removal, 100 Hz FIR; nfp, nlp and step become those of out.
    static bool Fir100(std::vector<double> &y, std::vector<double> &out, std::int32_t &nfp, std::int32_t &nlp,
                       double &step, bool removeBias);
    // Filters the signal with FIR100 and marks it class 1. Throws, or returns false,
    // leaving the signal as it was.
    bool FilterCFC(bool removeBias);
    // @ops-filter

protected:
    // Recomputes extremes, time range and point count.
    void UpdateDerived();
    // A vector of n zeros whose pages are mapped at once (one call, not one fault per page).
    static std::vector<double> NewSamples(std::size_t n);
    // to = from, through NewSamples when to has too little room.
    static void CopySamples(std::vector<double> &to, const std::vector<double> &from);
    // This signal becomes a copy of source (header, X, Z, texts) with y as its Y, which
    // must have source's Y size; extremes of Y, time range and point count recomputed.
    // Source may be this signal.
    void AssignWithY(const CData &source, std::vector<double> &&y);

    std::string m_fileName;
    std::string m_directory;
    std::vector<double> m_x;
    std::vector<double> m_y;
    std::vector<double> m_z;
    PointList m_points;
    std::int32_t m_numberOfPoints = 0;
    double m_chestClip = 0.0;
    std::string m_status;
    std::string m_direction;
    std::string m_sensorType;
    double m_xMax = 0.0;
    double m_xMin = 0.0;
    double m_yMax = 0.0;
    double m_yMin = 0.0;
    double m_zMax = 0.0;
    double m_zMin = 0.0;
    double m_startTime = 0.0;
    double m_endTime = 0.0;
    std::string m_pathName;
    std::string m_fileText;
    bool m_modified = false;
    bool m_writeBigEndian = false;
    FilterClass m_filterClass = filter_class::Unknown;
    std::size_t m_nanSampleCount = 0;
    std::size_t m_infSampleCount = 0;

private:
    void CopyOwnMembers(const CData &other, bool copyY = true);
    // Takes x and y as the samples (equal, non-zero sizes) with Z zeros.
    void TakeSamples(std::vector<double> &&x, std::vector<double> &&y);
    // Every header field and carried text from the file, or to it.
    void HeaderFromUDSFile(const CUDSFile &file);
    void HeaderToUDSFile(CUDSFile &file) const;
    // DEL (and NFP, NLP) of a signal whose times came one by one: the step of their
    // grid, or 0 when they lie on none.
    void TakeStepFromTimes();
};

} // namespace kx
