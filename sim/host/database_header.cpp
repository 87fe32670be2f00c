#include "sim/host/database_header.h"

#include <cmath>

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

}  // namespace

bool UserCoordinateSystem::set(const VxGePoint3d& origin, const VxGeVector3d& xAxis,
                               const VxGeVector3d& yAxis) {
    const double xLength = std::sqrt(dot(xAxis, xAxis));
    const double yLength = std::sqrt(dot(yAxis, yAxis));
    if (!finite(xAxis) || !finite(yAxis) || !finite(VxGeVector3d{origin.x, origin.y, origin.z}) ||
        !(xLength > 0) || !(yLength > 0) || !std::isfinite(xLength) || !std::isfinite(yLength)) {
        return false;
    }
    // The host's own tolerance for right angles.
    if (std::fabs(dot(xAxis, yAxis)) > 1e-10 * xLength * yLength) {
        return false;
    }
    origin_ = origin;
    xAxis_ = VxGeVector3d{xAxis.x / xLength, xAxis.y / xLength, xAxis.z / xLength};
    yAxis_ = VxGeVector3d{yAxis.x / yLength, yAxis.y / yLength, yAxis.z / yLength};
    return true;
}

bool UserCoordinateSystem::isWorld() const {
    return origin_.x == 0 && origin_.y == 0 && origin_.z == 0 && xAxis_.x == 1 && xAxis_.y == 0 &&
           xAxis_.z == 0 && yAxis_.x == 0 && yAxis_.y == 1 && yAxis_.z == 0;
}

VxGePoint3d UserCoordinateSystem::toWorld(const VxGePoint3d& point, bool isDisplacement) const {
    const VxGeVector3d zAxis = cross(xAxis_, yAxis_);
    VxGePoint3d world = isDisplacement ? VxGePoint3d{} : origin_;
    world.x += point.x * xAxis_.x + point.y * yAxis_.x + point.z * zAxis.x;
    world.y += point.x * xAxis_.y + point.y * yAxis_.y + point.z * zAxis.y;
    world.z += point.x * xAxis_.z + point.y * yAxis_.z + point.z * zAxis.z;
    return world;
}

}  // namespace sim
