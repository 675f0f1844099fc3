#pragma once

#include <string>

#include "objectstore/DbObject.h"

class Cls_QsPipingNode;

// The lengths from an indoor unit's device node up to the outdoor unit, measured on the piping
// tree: the sum of the branch lengths of the node and of every node above it (the root has no
// pipe above it), with the fittings on the way added for equivalent lengths.

// The piping allowances added for the fittings when their models are not known: the largest
// equivalent length of the catalogue's BS boxes, of its joints (two connections) and of its
// other headers (m).
struct LTPipingAllowances {
  double bsBox = 0;
  double joint = 0;
  double header = 0;
};

// How the branch length of a node counts in a sum. The plain rule takes the stored length; the
// size-up rules change the pipes that carry the selection's size-up mark.
using TBranchLengthRule = double (*)(Cls_QsPipingNode& node);
double PlainBranchLength(Cls_QsPipingNode& node);
// The length of a size-up-marked pipe counts half.
double HalvedWhenSizedUp(Cls_QsPipingNode& node);
// The length of a size-up-marked joint or header pipe that does not leave the root counts twice.
double DoubledWhenSizedUp(Cls_QsPipingNode& node);

// The actual length.
double ActualLength(Cls_QsPipingNode& node, TBranchLengthRule rule = PlainBranchLength);
// The equivalent length with the allowances for every BS box, joint and header on the way.
double EquivalentLengthWithAllowances(Cls_QsPipingNode& node, const LTPipingAllowances& allowances,
                                      TBranchLengthRule rule = PlainBranchLength);
// The equivalent length with the chosen models: a BS box's model adds its BSU_EquivalentLength,
// a joint's or header's its PHJ_EquivalentLength; nothing where no model is chosen.
double EquivalentLengthWithModels(Cls_QsPipingNode& node,
                                  TBranchLengthRule rule = PlainBranchLength);

// -- The branch-length entry --------------------------------------------------------------------

// The caption of the entered value ("Длина").
const std::string& BranchLengthCaption();
// The largest OUT_MaxActualLength of the outdoor units given (other objects are passed over);
// 0 when there is none.
double LargestMaxActualLength(const CTDbObjectList& outdoorUnits);
// Stores an entered branch length when it is greater than 0 and not above the largest actual
// length the catalogue allows (no upper bound when that is 0); otherwise shows message 5011 with
// the caption and the bound broken, and changes nothing. Returns whether it was stored.
bool EnterBranchLength(Cls_QsPipingNode& node, double value, double largestActualLength,
                       const std::string& caption = BranchLengthCaption());
