#pragma once

#include <cstddef>
#include <utility>
#include <vector>

// The one sort of in-memory object lists: a shell-style exchange sort. The gap starts at the list
// length and is halved while it is above 1; for each gap, passes over positions i = 0 ..
// count - gap - 1 exchange items i and i + gap whenever mustPrecede(later, earlier) says the later
// item must come first, until a pass makes no exchange. Equal items are never exchanged directly,
// but their final order is whatever these passes leave, so every list sorted "by the list sort"
// must use exactly this procedure.
template <class T, class Predicate>
void ListSort(std::vector<T>& items, Predicate mustPrecede) {
  std::size_t gap = items.size();
  while (gap > 1) {
    gap /= 2;
    bool exchanged;
    do {
      exchanged = false;
      for (std::size_t i = 0; i + gap < items.size(); ++i) {
        if (mustPrecede(items[i + gap], items[i])) {
          std::swap(items[i], items[i + gap]);
          exchanged = true;
        }
      }
    } while (exchanged);
  }
}
