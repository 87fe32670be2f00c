// Geometry values of the host: points, vectors and the 3D transformation matrix.
#pragma once

#include "host/vx_export.h"

struct VxGePoint3d {
    double x = 0, y = 0, z = 0;
};

struct VxGeVector3d {
    double x = 0, y = 0, z = 0;
};

class VX_HOST_API VxGeMatrix3d {
  public:
    VxGeMatrix3d();  // identity
    VxGeMatrix3d& setToTranslation(const VxGeVector3d& offset);
    VxGePoint3d apply(const VxGePoint3d& p) const;
    double entry[4][4];
};
