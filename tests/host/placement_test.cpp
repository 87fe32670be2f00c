// What placing an entity relies on: the current user coordinate system, the drawing's entity
// defaults, and moving an entity by a translation.
#include <memory>

#include "host/vx_db.h"
#include "host/vx_editor.h"
#include "host_test_support.h"
#include "sim/host/database.h"
#include "sim/host/faults.h"

namespace {

using Placement = HostTest;

void expectPoint(const double* actual, double x, double y, double z, const char* what) {
    EXPECT_DOUBLE_EQ(actual[0], x) << what;
    EXPECT_DOUBLE_EQ(actual[1], y) << what;
    EXPECT_DOUBLE_EQ(actual[2], z) << what;
}

TEST_F(Placement, UserCoordinatesConvertPointsAndDisplacements) {
    double p[3] = {1, 2, 3};
    ASSERT_EQ(vxdbUcs2Wcs(p, p, false), kRtNorm);
    expectPoint(p, 1, 2, 3, "the world system converts to itself");

    sim::UserCoordinateSystem& ucs = sim::workingDatabase().header().ucs;
    // Turned a quarter round z, moved; the x axis is given at length 2.
    ASSERT_TRUE(ucs.set(VxGePoint3d{10, 20, 0}, VxGeVector3d{0, 2, 0}, VxGeVector3d{-1, 0, 0}));
    EXPECT_FALSE(ucs.isWorld());
    const double from[3] = {1, 2, 3};
    double to[3] = {};
    ASSERT_EQ(vxdbUcs2Wcs(from, to, false), kRtNorm);
    expectPoint(to, 8, 21, 3, "a point moves with the origin and turns with the axes");
    ASSERT_EQ(vxdbUcs2Wcs(from, to, true), kRtNorm);
    expectPoint(to, -2, 1, 3, "a displacement only turns");
    double inPlace[3] = {1, 2, 3};
    ASSERT_EQ(vxdbUcs2Wcs(inPlace, inPlace, false), kRtNorm);
    expectPoint(inPlace, 8, 21, 3, "converting in place reads the input whole first");

    // Axes that do not span a plane at right angles are refused and change nothing.
    EXPECT_FALSE(ucs.set(VxGePoint3d{}, VxGeVector3d{1, 0, 0}, VxGeVector3d{1, 1, 0}));
    EXPECT_FALSE(ucs.set(VxGePoint3d{}, VxGeVector3d{}, VxGeVector3d{0, 1, 0}));
    // 1.5e308 * sqrt(2) is beyond the largest double (1e308 * sqrt(2) is not).
    EXPECT_FALSE(ucs.set(VxGePoint3d{}, VxGeVector3d{1.5e308, 1.5e308, 0}, VxGeVector3d{0, 0, 1}));
    ASSERT_EQ(vxdbUcs2Wcs(from, to, false), kRtNorm);
    expectPoint(to, 8, 21, 3, "a refused system leaves the last one in force");

    sim::armFault("vxdbUcs2Wcs", 1, 5);
    double untouched[3] = {7, 7, 7};
    EXPECT_EQ(vxdbUcs2Wcs(from, untouched, false), kRtError);
    expectPoint(untouched, 7, 7, 7, "a failing conversion writes nothing");
    sim::clearFaults();
}

TEST_F(Placement, AxesOfAnyRepresentableLengthAreKeptAsGiven) {
    sim::UserCoordinateSystem& ucs = sim::workingDatabase().header().ucs;
    const double from[3] = {1, 2, 3};
    double to[3] = {};
    // Squared, these lengths overflow and underflow a double.
    for (const double length : {1e200, 1e-170, 5e-324}) {
        ASSERT_TRUE(ucs.set(VxGePoint3d{10, 20, 0}, VxGeVector3d{0, length, 0},
                            VxGeVector3d{-length, 0, 0}))
            << length;
        ASSERT_EQ(vxdbUcs2Wcs(from, to, false), kRtNorm);
        expectPoint(to, 8, 21, 3, "the axes are used at unit length");
    }
    // A unit axis that scaling to unit length would move by one unit in the last place: a
    // saved drawing must save again to the same numbers.
    const double half = 0.7071067811865475;
    ASSERT_TRUE(ucs.set(VxGePoint3d{}, VxGeVector3d{half, half, 0}, VxGeVector3d{-half, half, 0}));
    EXPECT_EQ(ucs.xAxis().x, half);
    EXPECT_EQ(ucs.yAxis().x, -half);
    ASSERT_TRUE(ucs.set(VxGePoint3d{}, VxGeVector3d{1, 1, 0}, VxGeVector3d{-1, 1, 0}));
    EXPECT_EQ(ucs.xAxis().x, 1.0);
    EXPECT_EQ(ucs.yAxis().y, 1.0);
}

TEST_F(Placement, NewEntitiesTakeTheDefaultsOfTheNamedOrWorkingDrawing) {
    auto line = std::make_unique<VxDbLine>();
    EXPECT_EQ(line->layer(), VxString(u"0"));
    EXPECT_EQ(line->colorIndex(), 256);
    EXPECT_EQ(line->linetype(), VxString(u"ByLayer"));

    sim::workingDatabase().header().entityDefaults = {VxString(u"PARTS"), 3, VxString(u"CENTER")};
    ASSERT_EQ(line->setDatabaseDefaults(), Vx::eOk);
    EXPECT_EQ(line->layer(), VxString(u"PARTS"));
    EXPECT_EQ(line->colorIndex(), 3);
    EXPECT_EQ(line->linetype(), VxString(u"CENTER"));

    sim::Database other;
    other.header().entityDefaults.layer = VxString(u"OTHER");
    ASSERT_EQ(line->setDatabaseDefaults(&other), Vx::eOk);
    EXPECT_EQ(line->layer(), VxString(u"OTHER")) << "a named drawing's defaults, not the working";
    EXPECT_EQ(line->colorIndex(), 256);

    sim::armFault("setDatabaseDefaults", 1, Vx::eInvalidInput);
    EXPECT_EQ(line->setDatabaseDefaults(), Vx::eInvalidInput);
    EXPECT_EQ(line->layer(), VxString(u"OTHER")) << "a failing call changes nothing";
    sim::clearFaults();

    // Once in a drawing, an entity takes defaults only while it is open for write.
    const VxDbObjectId id =
        sim::workingDatabase().appendEntity(sim::workingDatabase().modelSpaceId(), line.release());
    VxDbEntity* entity = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(entity, id, VxDb::kForRead), Vx::eOk);
    EXPECT_EQ(entity->setDatabaseDefaults(), Vx::eNotOpenForWrite);
    EXPECT_EQ(entity->layer(), VxString(u"OTHER"));
    entity->close();
}

TEST_F(Placement, TranslationMovesAnEntityToThePoint) {
    auto line = std::make_unique<VxDbLine>();
    VxGeMatrix3d move;
    move.setToTranslation(VxGeVector3d{8, 21, 3});
    ASSERT_EQ(line->transformBy(move), Vx::eOk);
    ASSERT_EQ(line->transformBy(move), Vx::eOk);
    EXPECT_DOUBLE_EQ(line->position().x, 16) << "transforms add up";
    EXPECT_DOUBLE_EQ(line->position().y, 42);
    EXPECT_DOUBLE_EQ(line->position().z, 6);

    sim::armFault("transformBy", 1, Vx::eInvalidInput);
    EXPECT_EQ(line->transformBy(move), Vx::eInvalidInput);
    EXPECT_DOUBLE_EQ(line->position().x, 16);
    sim::clearFaults();
}

}  // namespace
