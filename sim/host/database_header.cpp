#include "sim/host/database_header.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace sim {
namespace {

double dot(const VxGeVector3d& a, const VxGeVector3d& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

VxGeVector3d cross(const VxGeVector3d& a, const VxGeVector3d& b) {
    return VxGeVector3d{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool finite(const VxGeVector3d& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The axis at unit length, or nothing for one without a length a double can hold. Scaled by
// its largest part first, so that squaring neither overflows (1e200) nor underflows (1e-170).
std::optional<VxGeVector3d> unit(const VxGeVector3d& v) {
    const double scale = std::max({std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)});
    if (!(scale > 0) || !finite(v)) {
        return std::nullopt;
    }
    const VxGeVector3d scaled{v.x / scale, v.y / scale, v.z / scale};
    const double length = std::sqrt(dot(scaled, scaled));
    if (!std::isfinite(scale * length)) {
        return std::nullopt;
    }
    return VxGeVector3d{scaled.x / length, scaled.y / length, scaled.z / length};
}

}  // namespace

bool UserCoordinateSystem::set(const VxGePoint3d& origin, const VxGeVector3d& xAxis,
                               const VxGeVector3d& yAxis) {
    const std::optional<VxGeVector3d> xUnit = unit(xAxis);
    const std::optional<VxGeVector3d> yUnit = unit(yAxis);
    if (!xUnit || !yUnit || !finite(VxGeVector3d{origin.x, origin.y, origin.z})) {
        return false;
    }
    // The host's own tolerance for right angles.
    if (std::fabs(dot(*xUnit, *yUnit)) > 1e-10) {
        return false;
    }
    origin_ = origin;
    xAxis_ = xAxis;
    yAxis_ = yAxis;
    xUnit_ = *xUnit;
    yUnit_ = *yUnit;
    return true;
}

bool UserCoordinateSystem::isWorld() const {
    return origin_.x == 0 && origin_.y == 0 && origin_.z == 0 && xAxis_.x == 1 && xAxis_.y == 0 &&
           xAxis_.z == 0 && yAxis_.x == 0 && yAxis_.y == 1 && yAxis_.z == 0;
}

VxGePoint3d UserCoordinateSystem::toWorld(const VxGePoint3d& point, bool isDisplacement) const {
    const VxGeVector3d zAxis = cross(xUnit_, yUnit_);
    VxGePoint3d world = isDisplacement ? VxGePoint3d{} : origin_;
    world.x += point.x * xUnit_.x + point.y * yUnit_.x + point.z * zAxis.x;
    world.y += point.x * xUnit_.y + point.y * yUnit_.y + point.z * zAxis.y;
    world.z += point.x * xUnit_.z + point.y * yUnit_.z + point.z * zAxis.z;
    return world;
}

}  // namespace sim
