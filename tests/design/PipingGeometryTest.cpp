// Finding pipes and fittings on the piping diagram.

#include <gtest/gtest.h>

#include <cmath>

#include "PipingTestSystem.h"
#include "design/PipingGeometry.h"
#include "design/PipingTree.h"

namespace {

TEST(PipingGeometry, PointsAreEqualWithinAMillionth) {
  EXPECT_EQ((CTPoint{1, 2}), (CTPoint{1 + 9e-7, 2 - 9e-7}));
  EXPECT_FALSE((CTPoint{1, 2}) == (CTPoint{1 + 2e-6, 2}));
  EXPECT_DOUBLE_EQ((CTPoint{0, 0}).DistanceTo(CTPoint{3, 4}), 5);
}

TEST(PipingGeometry, LinesAreNormalisedWithAPositiveFirstCoefficient) {
  struct Case {
    CTPoint from, to;
    double a, b, c;
  };
  const double r = 1 / std::sqrt(2.0);
  const Case cases[] = {
      {{0, 0}, {10, 0}, 0, 1, 0},    // horizontal, either direction
      {{10, 5}, {0, 5}, 0, 1, -5},   //
      {{3, 0}, {3, 10}, 1, 0, -3},   // vertical, either direction
      {{3, 10}, {3, 0}, 1, 0, -3},   //
      {{0, 0}, {10, 10}, r, -r, 0},  // diagonal
      {{10, 0}, {0, 10}, r, r, -10 * r},
      {{7, 8}, {7, 8}, 1, 0, -7},  // one point: the vertical line through it
  };
  for (const Case& c : cases) {
    const CTLine line(c.from, c.to);
    EXPECT_NEAR(line.A(), c.a, 1e-12) << c.from.x << "," << c.from.y;
    EXPECT_NEAR(line.B(), c.b, 1e-12) << c.from.x << "," << c.from.y;
    EXPECT_NEAR(line.C(), c.c, 1e-12) << c.from.x << "," << c.from.y;
  }
}

TEST(PipingGeometry, PiecesAreHitNearTheLineAndBetweenTheirEnds) {
  const CTLinePiece horizontal({100, 50}, {20, 50});
  EXPECT_DOUBLE_EQ(horizontal.Length(), 80);
  EXPECT_LT(horizontal.Start(), horizontal.End());
  const CTLinePiece diagonal({0, 0}, {30, 40});
  const CTLinePiece dot({7, 8}, {7, 8});
  struct Case {
    const CTLinePiece* piece;
    CTPoint point;
    bool hit;
  };
  const Case cases[] = {
      {&horizontal, {60, 50}, true},  // on it
      {&horizontal, {60, 55}, true},  // 5 off the line still hits
      {&horizontal, {60, 55.01}, false},
      {&horizontal, {20, 50}, true},     // its ends
      {&horizontal, {104.9, 50}, true},  // past an end by less than 5
      {&horizontal, {105, 50}, false},   // by 5: no longer
      {&horizontal, {15.5, 53}, true},
      {&horizontal, {200, 50}, false},  // on the line far away
      {&diagonal, {15, 20}, true},
      {&diagonal, {18.9, 17}, true},  // 4.92 from the line
      {&diagonal, {20, 15}, false},
      {&diagonal, {-2.4, -3.2}, true},  // on the line, 4 beyond the start
      {&diagonal, {-3, -4}, false},     // 5 beyond it
      {&dot, {7, 8}, true},
      {&dot, {9, 11}, true},
      {&dot, {12.5, 8}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.piece->Hits(c.point), c.hit) << c.point.x << "," << c.point.y;
  }
}

class PipingHits : public ::testing::Test {
 protected:
  void SetUp() override {
    fixture.AddIndoor("U1", out);
    header = &fixture.AddHeader("H", out, 2);
    fixture.AddIndoor("U2", out, header);
  }
  // Out(J(U1, H[U2])) placed by hand: boxes, the joint, the header and one pipe each.
  void Place() {
    Cls_QsPipingNode* root = out.GetRootNode();
    joint = root->ChildAt(0);
    u1 = joint->ChildAt(0);
    headerNode = joint->ChildAt(1);
    u2 = headerNode->ChildAt(0);
    root->DiagramPlace() = {10, 16, 76, 42, {}};
    joint->DiagramPlace() = {180, 16, 0, 0, {CTLinePiece({180, 37}, {86, 37})}};
    u1->DiagramPlace() = {262, 16, 76, 42, {CTLinePiece({262, 37}, {180, 37})}};
    headerNode->DiagramPlace() = {180, 100, 0, 0, {CTLinePiece({180, 121}, {180, 37})}};
    u2->DiagramPlace() = {262, 100, 76, 42, {CTLinePiece({262, 121}, {180, 121})}};
  }

  ProjectTestStore store;
  PipingFixture fixture{store.factory};
  Cls_QsOutPlacement& out = fixture.AddSystem("Out");
  Cls_QsHeaderPlacement* header = nullptr;
  Cls_QsPipingNode *joint = nullptr, *u1 = nullptr, *headerNode = nullptr, *u2 = nullptr;
};

TEST_F(PipingHits, FindsTheSymbolFirstThenThePipe) {
  Place();
  Cls_QsPipingNode* root = out.GetRootNode();
  struct Case {
    double x, y;
    Cls_QsPipingNode* node;
  };
  const Case cases[] = {
      {10, 16, root},                           // box corners and edges count
      {86, 58, root},         {87, 40, joint},  // just right of the box: on the joint's pipe
      {174, 25, joint},                         // joint symbol: x ± 6, y + 9 .. y + 33
      {186, 49, joint},       {173.9, 30, nullptr}, {180, 45, joint},  // on the symbol, though also
                                                                       // on the header's pipe
      {180, 60, headerNode},                                           // the header's pipe
      {175, 106, headerNode},                  // header symbol: x ± 5, y + 6 .. y + 36
      {185, 136, headerNode}, {186, 125, u2},  // the unit's pipe, just right of the header symbol
      {300, 121, u2},         {220, 41, u1},        {220, 43, nullptr}, {500, 500, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(out.FindNodeAt(c.x, c.y), c.node) << c.x << "," << c.y;
  }
}

TEST_F(PipingHits, NothingIsFoundBeforeTheLayout) {
  EXPECT_EQ(out.FindNodeAt(100, 100), nullptr);
  EXPECT_EQ(out.FindNodeAt(0, 0), out.GetRootNode());  // every box still at 0, 0 with no size
}

}  // namespace
