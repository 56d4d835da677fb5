#pragma once
// One sample: x, y and z values and a text label.

#include <string>
#include <utility>

namespace kx {

template <typename T>
class CPoint {
public:
    CPoint() = default;
    CPoint(T x, T y, T z = T(), std::string label = std::string())
        : m_X(x)
        , m_Y(y)
        , m_Z(z)
        , m_Label(std::move(label))
    {}

    T GetX() const { return m_X; }
    T GetY() const { return m_Y; }
    T GetZ() const { return m_Z; }
    const std::string &GetLabel() const { return m_Label; }

    void SetX(T x) { m_X = x; }
    void SetY(T y) { m_Y = y; }
    void SetZ(T z) { m_Z = z; }
    void SetLabel(const std::string &label) { m_Label = label; }

    bool operator==(const CPoint &) const = default;

private:
    T m_X{};
    T m_Y{};
    T m_Z{};
    std::string m_Label;
};

} // namespace kx
