#pragma once

#include <string>

class Cls_QsOutPlacement;

// Where the manual piping check lists what it found: the piping tab's error list shows one line
// per problem.
class CTPipingErrorList {
 public:
  virtual ~CTPipingErrorList() = default;
  // The check runs between one BeginUpdate and EndUpdate; Clear empties the list.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
  virtual void Clear() = 0;
  virtual void AddLine(const std::string& caption, int imageIndex) = 0;
  // A line with the number of the message it shows; the list shows the caption alone unless it
  // keeps the number too.
  virtual void AddMessageLine(int number, const std::string& caption, int imageIndex) {
    (void)number;
    AddLine(caption, imageIndex);
  }
};

// Checks the lengths a user entered per pipe against every limit of the system's outdoor model,
// lists each problem and marks the system (error 10057) unless worse errors show. True when
// nothing was found, and for a system without model or without entered lengths.
bool CheckManualPiping(Cls_QsOutPlacement& system, CTPipingErrorList* list);
