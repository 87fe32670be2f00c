// The header values of a drawing database that the stand-in host keeps: the current user
// coordinate system, which vxdbUcs2Wcs converts from, and the properties that a new entity
// takes from setDatabaseDefaults. A fresh database has the world system and layer "0",
// colour ByLayer, linetype "ByLayer".
#pragma once

#include "host/vx_ge.h"
#include "host/vx_string.h"

namespace sim {

// Colour indices of the host: 0 ByBlock, 1 to 255 the palette, 256 ByLayer.
constexpr int kColorByBlock = 0;
constexpr int kColorByLayer = 256;

// The properties every entity has; a constructed entity starts with these values.
struct EntityProperties {
    VxString layer{u"0"};
    int colorIndex = kColorByLayer;
    VxString linetype{u"ByLayer"};

    friend bool operator==(const EntityProperties&, const EntityProperties&) = default;
};

// A right-handed system: the z axis is x cross y. The axes are kept as given, so that a saved
// drawing saves again to the same numbers (scaling a unit vector to unit length can move it by
// one unit in the last place); conversions use them scaled to unit length.
class UserCoordinateSystem {
  public:
    UserCoordinateSystem() = default;
    // False (and nothing changes) unless everything is finite and both axes have a length a
    // double can hold and stand at right angles.
    bool set(const VxGePoint3d& origin, const VxGeVector3d& xAxis, const VxGeVector3d& yAxis);

    // The world system as given: origin zero, axes the world's unit axes.
    bool isWorld() const;
    const VxGePoint3d& origin() const { return origin_; }
    const VxGeVector3d& xAxis() const { return xAxis_; }
    const VxGeVector3d& yAxis() const { return yAxis_; }
    // A displacement turns with the axes but is not moved by the origin. The result may be
    // infinite for a point far out: the caller checks.
    VxGePoint3d toWorld(const VxGePoint3d& point, bool isDisplacement) const;

  private:
    VxGePoint3d origin_;
    VxGeVector3d xAxis_{1, 0, 0};
    VxGeVector3d yAxis_{0, 1, 0};
    VxGeVector3d xUnit_{1, 0, 0};
    VxGeVector3d yUnit_{0, 1, 0};
};

struct DatabaseHeader {
    UserCoordinateSystem ucs;
    EntityProperties entityDefaults;
};

}  // namespace sim
