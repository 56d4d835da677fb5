#pragma once

// Signal files for the document tests, written with the library into a fresh folder.

#include "signal/CNSignal.h"
#include "signal/CUDSFile.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <string>

namespace mirvane_test {

// Settings of their own for each test: ctest runs the tests side by side.
inline QString TestSettingsName()
{
    return QStringLiteral("MirvaneTest_") +
           QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name());
}

class SignalFolder {
public:
    std::string Path(const std::string &name) const { return (m_dir.path() + "/").toStdString() + name; }

    // A UDS file with points nfp .. nfp + count - 1 at step del, Y = f(t).
    std::string Uds(const std::string &name, int nfp, int count, double del, const std::function<double(double)> &f,
                    const std::string &yUnits = "G'S") const
    {
        kx::CNSignal signal;
        signal.SetDel(del);
        signal.SetNFP(nfp);
        signal.SetNLP(nfp + count - 1);
        std::vector<double> x, y;
        for (int i = 0; i < count; ++i) {
            x.push_back((nfp + i) * del);
            y.push_back(f((nfp + i) * del));
        }
        signal.SetXYData(x, y);
        signal.SetYUnits(yUnits);
        signal.SetYType("ACCELERATION");
        signal.SetPreFil(10000.0f);
        const std::string path = Path(name);
        signal.SaveToUDSFile(path);
        return path;
    }

    // An "X-Y" file as other writers make it: times x one by one, Y = f(t), DEL del.
    std::string XYUds(const std::string &name, const std::vector<double> &x, float del,
                      const std::function<double(double)> &f) const
    {
        kx::CUDSFile file;
        std::vector<double> y;
        for (double t : x)
            y.push_back(f(t));
        file.SetFileForm("X-Y");
        file.SetNFP(0);
        file.SetNLP(static_cast<int>(x.size()) - 1);
        file.SetDel(del);
        file.SetXType("TIME");
        file.SetXUnits("SECONDS");
        file.SetYUnits("G'S");
        file.SetYType("ACCELERATION");
        file.SetPreFil(10000.0f);
        file.SetSamples(x, y);
        const std::string path = Path(name);
        file.WriteFile(path);
        return path;
    }

    std::string Text(const std::string &name, const std::string &content) const
    {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

private:
    QTemporaryDir m_dir;
};

} // namespace mirvane_test
