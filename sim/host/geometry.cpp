#include "host/vx_ge.h"

VxGeMatrix3d::VxGeMatrix3d() : entry{} {
    for (int i = 0; i < 4; ++i) {
        entry[i][i] = 1.0;
    }
}

VxGeMatrix3d& VxGeMatrix3d::setToTranslation(const VxGeVector3d& offset) {
    *this = VxGeMatrix3d();
    entry[0][3] = offset.x;
    entry[1][3] = offset.y;
    entry[2][3] = offset.z;
    return *this;
}

VxGePoint3d VxGeMatrix3d::apply(const VxGePoint3d& p) const {
    const double in[4] = {p.x, p.y, p.z, 1.0};
    double out[4] = {0, 0, 0, 0};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            out[r] += entry[r][c] * in[c];
        }
    }
    // A projective row would divide; the host only builds affine transforms.
    const double w = out[3] != 0.0 ? out[3] : 1.0;
    return VxGePoint3d{out[0] / w, out[1] / w, out[2] / w};
}
