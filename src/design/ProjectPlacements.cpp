// The project's placement cache and the operations on the connection tree as a whole: reading
// it (and repairing a stored tree that cannot be walked), listing, renumbering, deleting and
// recalculating.

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "design/QsCentralControl.h"
#include "design/QsDevicePlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "i18n/MessageCatalog.h"
#include "objectstore/ListSort.h"

namespace {

constexpr int kMsgNotConnected = 10042;
constexpr int kMsgLockedSystem = 10056;
constexpr int kMsgConfirmDelete = 5017;

// The deepest a placement may hang below the top of its tree. Real designs stay far below it
// (a system, a few boxes and headers, the units); a stored chain deeper than this is cut, so
// that the operations that walk the tree recursively never exhaust the stack.
constexpr int kMaxTreeDepth = 100;

std::uint64_t RecordKey(int tableId, int recordId) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(tableId)) << 32) |
         static_cast<std::uint32_t>(recordId);
}

// The list sort by a key; a list already in order is left as it is, which is what the sort's
// passes would leave, without their cost.
template <class T, class Key>
void SortBy(std::vector<T*>& items, Key key) {
  const bool ordered =
      std::is_sorted(items.begin(), items.end(), [&](T* a, T* b) { return key(a) < key(b); });
  if (ordered) return;
  ListSort(items, [&](T* later, T* earlier) { return key(later) < key(earlier); });
}

// The placements below the placement, each after the placements below it (the deepest first),
// children in order.
std::vector<Cls_QsDevicePlacement*> DescendantsDeepestFirst(Cls_QsDevicePlacement& top) {
  std::vector<Cls_QsDevicePlacement*> result;
  struct Step {
    Cls_QsDevicePlacement* placement;
    std::size_t next;
  };
  std::vector<Step> stack{{&top, 0}};
  while (!stack.empty()) {
    Step& step = stack.back();
    if (step.next < step.placement->Children().size()) {
      Cls_QsDevicePlacement* child = step.placement->Children()[step.next++];
      stack.push_back({child, 0});
      continue;
    }
    if (step.placement != &top) result.push_back(step.placement);
    stack.pop_back();
  }
  return result;
}

bool IsIndoorSide(const Cls_QsDevicePlacement& placement) {
  return dynamic_cast<const Cls_QsIndPlacement*>(&placement) != nullptr;
}

}  // namespace

// -- Reading the tree -----------------------------------------------------------------------------

// A stored tree may be corrupt: a parent reference that names no placement of the project, a
// placement that is its own parent, a chain of parents that loops (A below B below A), an
// outdoor system stored below another placement, or a chain deeper than kMaxTreeDepth. Such a
// placement is read as not connected, as the deletion of its parent would leave it: it is
// listed at the top level, where the next recalculation flags it (10042) for the user to
// connect it again. Every member of a loop is treated so (no member is preferred to another),
// while placements hanging below a member stay below it. The stored parent reference of such a
// placement is cleared, so that the store agrees with the tree: a reference left pointing at a
// placement that is not its parent in the tree would let the store's cascade delete the
// placement together with that other one, leaving the cache with a deleted placement.
//
// Every placement is visited once and each parent chain is followed only up to the first
// placement already resolved, so reading takes time in proportion to the number of placements.
void Cls_QsProject::BuildPlacementCache() {
  cacheBuilt_ = true;
  placements_.clear();
  if (!IsStored()) return;
  for (auto& object :
       RelatedObjects(Cls_QsDevicePlacement::kTableId, Cls_QsDevicePlacement::kProject)) {
    if (auto* placement = dynamic_cast<Cls_QsDevicePlacement*>(object.get())) {
      object.release();
      placements_.emplace_back(placement);
    }
  }
  const std::size_t count = placements_.size();
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  std::unordered_map<std::uint64_t, std::size_t> indexOf;
  indexOf.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const auto& p = placements_[i];
    indexOf.emplace(RecordKey(p->TableId(), p->RecordId()), i);
  }

  // The stored parent of each placement, and whether its reference must be cleared.
  std::vector<std::size_t> parent(count, kNone);
  std::vector<bool> cut(count, false);
  for (std::size_t i = 0; i < count; ++i) {
    Cls_QsDevicePlacement& p = *placements_[i];
    const LTRecordRef ref = p.GetParentRef();
    if (!ref.IsSet()) continue;
    const auto found = indexOf.find(RecordKey(ref.tableId, ref.recordId));
    if (found == indexOf.end() || p.TableId() == Cls_QsOutPlacement::kTableId) {
      cut[i] = true;
    } else {
      parent[i] = found->second;
    }
  }

  // Follow each chain upwards until a resolved placement, the top or a placement of the chain
  // itself (a loop); then resolve the chain from its upper end down, giving each its depth.
  enum : std::uint8_t { kUnvisited, kOnPath, kResolved };
  std::vector<std::uint8_t> state(count, kUnvisited);
  std::vector<int> depth(count, 0);
  std::vector<std::size_t> path;
  for (std::size_t start = 0; start < count; ++start) {
    if (state[start] == kResolved) continue;
    path.clear();
    std::size_t at = start;
    while (at != kNone && state[at] == kUnvisited) {
      state[at] = kOnPath;
      path.push_back(at);
      at = parent[at];
    }
    if (at != kNone && state[at] == kOnPath) {
      // The chain returned to one of its own placements: from there on it is a loop.
      const auto loopStart = std::find(path.begin(), path.end(), at);
      for (auto it = loopStart; it != path.end(); ++it) {
        parent[*it] = kNone;
        cut[*it] = true;
      }
    }
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
      const std::size_t i = *it;
      if (parent[i] != kNone) {
        depth[i] = depth[parent[i]] + 1;
        if (depth[i] > kMaxTreeDepth) {
          parent[i] = kNone;
          cut[i] = true;
          depth[i] = 0;
        }
      }
      state[i] = kResolved;
    }
  }

  for (std::size_t i = 0; i < count; ++i) {
    Cls_QsDevicePlacement* p = placements_[i].get();
    if (cut[i]) p->SetParentRef(nullptr);
    if (parent[i] == kNone) continue;
    Cls_QsDevicePlacement* up = placements_[parent[i]].get();
    p->SetParentPointer(up);
    up->Children().push_back(p);
  }
  for (const auto& p : placements_) {
    SortBy(p->Children(), [](Cls_QsDevicePlacement* c) { return c->GetSeqNr(); });
  }
}

const LTPlacementCache& Cls_QsProject::GetPlacements() {
  if (!cacheBuilt_) BuildPlacementCache();
  return placements_;
}

Cls_QsDevicePlacement* Cls_QsProject::AddToPlacementCache(
    std::unique_ptr<Cls_QsDevicePlacement> placement) {
  GetPlacements();
  placements_.push_back(std::move(placement));
  return placements_.back().get();
}

std::unique_ptr<Cls_QsDevicePlacement> Cls_QsProject::RemoveFromPlacementCache(
    Cls_QsDevicePlacement* placement) {
  auto it = std::find_if(placements_.begin(), placements_.end(),
                         [&](const auto& p) { return p.get() == placement; });
  if (it == placements_.end()) return nullptr;
  std::unique_ptr<Cls_QsDevicePlacement> taken = std::move(*it);
  placements_.erase(it);
  // The central-controller units point at systems of the cache.
  centralGroups_.clear();
  return taken;
}

void Cls_QsProject::DropPlacementCache() {
  centralGroups_.clear();
  placements_.clear();
  cacheBuilt_ = false;
}

std::vector<Cls_QsDevicePlacement*> Cls_QsProject::GetTopLevelPlacements() {
  std::vector<Cls_QsDevicePlacement*> result;
  for (const auto& p : GetPlacements()) {
    if (!p->GetParent()) result.push_back(p.get());
  }
  SortBy(result, [](Cls_QsDevicePlacement* p) { return p->GetSeqNr(); });
  return result;
}

std::vector<Cls_QsIndPlacement*> Cls_QsProject::GetIndoorPlacements() {
  std::vector<Cls_QsIndPlacement*> result;
  for (const auto& p : GetPlacements()) {
    if (auto* indoor = dynamic_cast<Cls_QsIndPlacement*>(p.get())) result.push_back(indoor);
  }
  SortBy(result, [](Cls_QsIndPlacement* p) { return p->GetIuSeqNr(); });
  return result;
}

void Cls_QsProject::RenumberPlacements(const std::vector<Cls_QsDevicePlacement*>& topLevelInOrder) {
  Cls_QsDevicePlacement::Renumber(topLevelInOrder);
}

// -- Deleting -------------------------------------------------------------------------------------

bool Cls_QsProject::DeletePlacementNode(Cls_QsDevicePlacement& placement) {
  std::string fullName;
  placement.GetFullName(fullName);
  for (Cls_QsDevicePlacement* up = placement.GetSystemAncestor(); up;
       up = up->GetSystemAncestor()) {
    auto* system = dynamic_cast<Cls_QsOutPlacement*>(up);
    if (!system) continue;
    if (system->GetLocked()) {
      std::string systemName;
      system->GetFullName(systemName);
      TBaseMsg::ShowError(kMsgLockedSystem, {fullName, systemName});
      return false;
    }
    break;
  }
  if (!placement.Children().empty() &&
      TBaseMsg::Ask(kMsgConfirmDelete, kBtnYes | kBtnNo, {fullName}) != kAnsYes) {
    return false;
  }
  for (Cls_QsDevicePlacement* below : DescendantsDeepestFirst(placement)) {
    below->Disconnect();
    if (IsIndoorSide(*below)) continue;
    std::unique_ptr<Cls_QsDevicePlacement> owned = RemoveFromPlacementCache(below);
    below->Delete();
  }
  placement.Disconnect();
  std::unique_ptr<Cls_QsDevicePlacement> owned = RemoveFromPlacementCache(&placement);
  placement.Delete();
  return true;
}

// -- Recalculating --------------------------------------------------------------------------------

void Cls_QsProject::RecalculateAll(const LTOutdoorUnitList& outdoorUnits) {
  const std::vector<Cls_QsDevicePlacement*> topLevel = GetTopLevelPlacements();
  // Every system is checked first, then what is connected nowhere is flagged.
  for (Cls_QsDevicePlacement* p : topLevel) {
    if (auto* system = dynamic_cast<Cls_QsOutPlacement*>(p)) system->CheckSystem(outdoorUnits);
  }
  for (Cls_QsDevicePlacement* p : topLevel) {
    if (dynamic_cast<Cls_QsOutPlacement*>(p)) continue;
    std::string fullName;
    p->GetFullName(fullName);
    p->SetError(kMsgNotConnected, fullName, Cls_QsDevicePlacement::kErrorLevel3);
    auto* indoor = dynamic_cast<Cls_QsIndPlacement*>(p);
    const bool keepsModel = indoor && indoor->GetManualSelect();
    if (!keepsModel && p->GetDeviceRef().IsSet()) p->SetModel(nullptr);
  }
}
