#pragma once

// Signal files for the document tests, written with the library into a fresh folder.

#include "signal/CNSignal.h"

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
