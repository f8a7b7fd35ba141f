// Ellipses end to end: a ring of 32 points at the fixed step 2 acos(0.995)
// and the first point again, turned by the rotation; in 3D the ring lies in
// the plane of the centre; inside a complex chain only its own items.
#include <gtest/gtest.h>

#include "translate/translate_fixture.h"

using dgntest::binPointRecord;
using dgntest::DesignFile;
using dgntest::sameBytes;
using namespace translate_test;

namespace {

const char kTable[] =
    "LS0001 1 0 0 0 0 0 \"\" 1.0 0\n"
    "EL0004 4 0 0 0 0 0 \"\" 1.0 0\n"
    "CX0005 5 0 0 0 0 0 \"\" 1.0 0\n";

// Centre (5000, 5000), a 1000, b 500, rotation 0.
const Points kRing = {
    {6000, 5000, 0}, {5980, 5099, 0}, {5920, 5194, 0}, {5825, 5282, 0}, {5696, 5358, 0},
    {5539, 5420, 0}, {5361, 5466, 0}, {5169, 5492, 0}, {4970, 5499, 0}, {4772, 5486, 0},
    {4583, 5454, 0}, {4410, 5403, 0}, {4261, 5337, 0}, {4142, 5257, 0}, {4057, 5166, 0},
    {4009, 5069, 0}, {4001, 4970, 0}, {4033, 4871, 0}, {4103, 4778, 0}, {4210, 4693, 0},
    {4347, 4621, 0}, {4511, 4563, 0}, {4694, 4523, 0}, {4889, 4503, 0}, {5089, 4502, 0},
    {5285, 4520, 0}, {5470, 4558, 0}, {5636, 4614, 0}, {5777, 4685, 0}, {5886, 4768, 0},
    {5960, 4861, 0}, {5996, 4959, 0}, {6000, 5000, 0}};

TEST(EllipseTranslation, RingOfThirtyThreePoints) {
    DesignFile d(2);
    d.add(onLevel(dgntest::ellipse2D(1000, 500, 0, 5000, 5000), 4))
        .add(onLevel(dgntest::ellipse2D(1000, 500, 16200000, 5000, 5000), 4))
        .add(onLevel(dgntest::ellipse2D(0, 0, 0, 5000, 5000), 4));
    Conversion c = convert(d, kTable, 0, 0, 0);

    // Turned by 45 degrees: the primary axis points up and to the right.
    const Points turned = {
        {5707, 5707, 0}, {5622, 5763, 0}, {5513, 5788, 0}, {5383, 5783, 0}, {5238, 5746, 0},
        {5084, 5679, 0}, {4926, 5585, 0}, {4771, 5468, 0}, {4625, 5332, 0}, {4494, 5183, 0},
        {4383, 5026, 0}, {4297, 4868, 0}, {4239, 4716, 0}, {4211, 4575, 0}, {4215, 4451, 0},
        {4250, 4349, 0}, {4315, 4273, 0}, {4407, 4225, 0}, {4523, 4209, 0}, {4658, 4224, 0},
        {4806, 4270, 0}, {4962, 4345, 0}, {5120, 4447, 0}, {5273, 4570, 0}, {5415, 4711, 0},
        {5540, 4863, 0}, {5644, 5020, 0}, {5722, 5177, 0}, {5771, 5326, 0}, {5790, 5463, 0},
        {5777, 5581, 0}, {5733, 5676, 0}, {5707, 5707, 0}};
    const Points centre(33, {5000, 5000, 0});

    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("EL0004", kRing, {}), binPointRecord("EL0004", turned, {}),
                                  binPointRecord("EL0004", centre, {})}),
                          c.bin));
}

TEST(EllipseTranslation, ThreeDimensionalRingLiesInThePlaneOfTheCentre) {
    const int32_t identity[4] = {2147483647, 0, 0, 0};
    // 90 degrees about x, as stored with rounded components: m0 is
    // 1.0000000009, m1, m3 and m4 are 0, so the ring's y stays at the
    // centre's; the tilt would lift it out of the plane, but Z stays 700.
    const int32_t aboutX[4] = {1518500250, 1518500250, 0, 0};
    DesignFile d(3);
    d.add(onLevel(dgntest::ellipse3D(1000, 500, identity, 5000, 5000, 700), 4))
        .add(onLevel(dgntest::ellipse3D(1000, 500, aboutX, 5000, 5000, 700), 4));
    Conversion c = convert(d, kTable, 0, 0, 0);

    Points flat, tilted;
    for (const auto& p : kRing) {
        flat.push_back({p[0], p[1], 700});
        tilted.push_back({p[0], 5000, 700});
    }
    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("EL0004", flat, {}), binPointRecord("EL0004", tilted, {})}),
                          c.bin));
}

TEST(EllipseTranslation, EllipseInComplexChainCarriesOnlyItsOwnItems) {
    DesignFile d(2);
    d.add(withItem(onLevel(dgntest::complexHeader(12), 5), 5, 131073))
        .add(withItem(component(onLevel(dgntest::ellipse2D(1000, 500, 0, 5000, 5000), 4)), 11, 4))
        .add(dgntest::lineString(2, {{500, 500, 0}, {600, 600, 0}}));
    Conversion c = convert(d, kTable, 0, 0, 2);

    // The chain collects no points, so no joined record is written.
    ASSERT_EQ(0, c.exitStatus);
    EXPECT_TRUE(sameBytes(concat({binPointRecord("EL0004", kRing, {{11, 4, ""}}),
                                  binPointRecord("LS0001", {{500, 500, 0}, {600, 600, 0}}, {})}),
                          c.bin));
}

}  // namespace
