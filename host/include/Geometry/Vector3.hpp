// A vector of three coordinates, as the host's geometry framework offers it.
#ifndef GEOMETRY_VECTOR3_HPP
#define GEOMETRY_VECTOR3_HPP

#include <cmath>

namespace Geometry {

template <typename T>
class Vector3 {
public:
    Vector3() = default;
    Vector3(T xValue, T yValue, T zValue) : x(xValue), y(yValue), z(zValue) {}

    T GetLength() const { return std::sqrt(x * x + y * y + z * z); }

    Vector3 operator+(const Vector3& other) const { return {x + other.x, y + other.y, z + other.z}; }
    Vector3 operator-(const Vector3& other) const { return {x - other.x, y - other.y, z - other.z}; }
    Vector3 operator*(T factor) const { return {x * factor, y * factor, z * factor}; }
    bool operator==(const Vector3& other) const { return x == other.x && y == other.y && z == other.z; }
    bool operator!=(const Vector3& other) const { return !(*this == other); }

    T x = 0;
    T y = 0;
    T z = 0;
};

template <typename T>
T Dot(const Vector3<T>& a, const Vector3<T>& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

template <typename T>
Vector3<T> Cross(const Vector3<T>& a, const Vector3<T>& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

}  // namespace Geometry

#endif
