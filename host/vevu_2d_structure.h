// The mechanical layer's 2D-structure manager.
#pragma once

#include "host/vx_export.h"

class VX_HOST_API CVevu2DStructureMgr {
  public:
    CVevu2DStructureMgr();
    ~CVevu2DStructureMgr();
    CVevu2DStructureMgr(const CVevu2DStructureMgr&) = delete;
    CVevu2DStructureMgr& operator=(const CVevu2DStructureMgr&) = delete;
    // 1 when the working drawing uses the 2D structure, else 0.
    int Is2DStructureEnabled() const;
};
