// Writes the two bundled example drawings, plano2d.dgn and plano3d.dgn, with
// the same element builder the tests use. Run from the examples folder:
//   build/release/dgnbin_make_examples   (make examples)
#include <cstdio>

#include "support/dgn_builder.h"

using namespace dgntest;

static Element styled(Element e, int level, int colour, int style = 0, int weight = 0) {
  return withSymbology(e, level, style, colour, weight);
}

// A survey plan: road edges, parcels, a contour curve, trees, labels.
static void plan2D() {
  DesignFile d(2);
  d.units(10, 10);  // centimetres: 100 units per metre
  // Road edges: two lines with their road number.
  d.add(withItem(styled(line(2, 100000, 200000, 0, 160000, 200000, 0), 10, 3), 5, 101));
  d.add(withItem(styled(line(2, 100000, 201200, 0, 160000, 201200, 0), 10, 3), 5, 101));
  // A parcel boundary and a building.
  d.add(withItem(styled(shape(2, {{110000, 203000, 0},
                                  {125000, 203000, 0},
                                  {125000, 215000, 0},
                                  {110000, 215000, 0},
                                  {110000, 203000, 0}}),
                        20, 1, 1),
                 2, 4711));
  d.add(styled(shape(2, {{114000, 206000, 0},
                         {120000, 206000, 0},
                         {120000, 211000, 0},
                         {114000, 211000, 0},
                         {114000, 206000, 0}}),
               21, 5, 0, 2));
  // A fence as a complex chain of two line strings and a line.
  d.add(withItem(styled(complexHeader(12, 3), 22, 2), 7, 9));
  d.add(asComponent(styled(
      lineString(2, {{130000, 203000, 0}, {140000, 203000, 0}, {140000, 210000, 0}}), 22, 2)));
  d.add(asComponent(styled(lineString(2, {{140000, 210000, 0}, {135000, 214000, 0}}), 22, 2)));
  d.add(asComponent(styled(line(2, 135000, 214000, 0, 130000, 210000, 0), 22, 2)));
  // A contour line.
  d.add(styled(curve(2, {{100000, 220000, 0},
                         {102000, 221000, 0},
                         {105000, 222500, 0},
                         {110000, 223000, 0},
                         {115000, 222000, 0},
                         {120000, 221500, 0},
                         {122000, 221000, 0}}),
               30, 4));
  // A roundabout arc and a well.
  d.add(
      styled(arc(2, 0, sweepSignMagnitude(64800000), 3000, 3000, {0}, {150000, 207000, 0}), 10, 3));
  d.add(styled(ellipse(2, 150, 150, {0}, {128000, 212000, 0}), 40, 6));
  // Two trees, kept as cells.
  const std::vector<int32_t> upright = {214748, 0, 0, 214748};
  d.add(styled(cellHeader(2, "ARBOL", upright, {112000, 217000, 0}), 41, 2));
  d.add(styled(cellHeader(2, "FAROLA", upright, {158000, 199000, 0}), 42, 7));
  // Labels: a street name centred on its baseline, a parcel number.
  Element street = styled(text(2, 1, 7, 60000, {0}, {120000, 199000, 0}, "CALLE MAYOR"), 50, 0);
  setRange(street, 120000, 199000, 0, 123960, 199360, 0);
  d.add(street);
  Element parcel = styled(text(2, 1, 2, 40000, {9000000}, {115000, 204000, 0}, "4711"), 51, 0);
  d.add(parcel);
  // A label that the table turns into an annotation symbol.
  d.add(styled(text(2, 3, 2, 30000, {0}, {131000, 204000, 0}, "POZO"), 52, 0));
  // An element the table does not know yet.
  d.add(styled(line(2, 100000, 225000, 0, 101000, 225000, 0), 60, 9));
  d.write("plano2d.dgn");
}

// A small terrain model: 3D breaklines, a spot height, a tank.
static void plan3D() {
  DesignFile d(3);
  d.units(100, 10);  // millimetres: 1000 units per metre
  d.add(styled(
      lineString(3,
                 {{1000000, 2000000, 50000}, {1010000, 2002000, 51500}, {1020000, 2001000, 52250}}),
      10, 3));
  d.add(styled(line(3, 1000000, 2005000, 50000, 1020000, 2005000, 50500), 11, 4));
  d.add(styled(ellipse(3, 2500, 2500, noTurn(3), {1015000, 2010000, 49000}), 12, 5));
  d.add(styled(
      arc(3, 0, sweepSignMagnitude(32400000), 4000, 4000, noTurn(3), {1005000, 2010000, 49500}), 12,
      5));
  d.add(styled(text(3, 1, 2, 25000, noTurn(3), {1001000, 2001000, 50000}, "COTA 50.0"), 20, 0));
  const std::vector<int32_t> m3 = {214748, 0, 0, 0, 214748, 0, 0, 0, 214748};
  d.add(styled(cellHeader(3, "VERT", m3, {1012000, 2003000, 51000}), 30, 1));
  d.add(styled(line(3, 1000000, 2020000, 48000, 1003000, 2020000, 48000), 60, 9));
  d.write("plano3d.dgn");
}

int main() {
  plan2D();
  plan3D();
  std::printf("plano2d.dgn plano3d.dgn\n");
  return 0;
}
