#include "design/PipingTree.h"

#include <algorithm>

#include "design/QsHeaderPlacement.h"
#include "design/QsOutPlacement.h"

CTPipingTree::CTPipingTree(Cls_QsOutPlacement& system) : system_(system) {}

CTPipingTree::~CTPipingTree() = default;

bool CTPipingTree::Contains(const Cls_QsPipingNode* node) const {
  return node && std::find(nodes_.begin(), nodes_.end(), node) != nodes_.end();
}

Cls_QsPipingNode* CTPipingTree::NodeOf(const Cls_QsDevicePlacement& placement) const {
  const auto it = byPlacement_.find(KeyOf(placement));
  return it == byPlacement_.end() ? nullptr : it->second;
}

Cls_QsPipingNode& CTPipingTree::Adopt(std::unique_ptr<Cls_QsPipingNode> node) {
  owned_.push_back(std::move(node));
  return *owned_.back();
}

Cls_QsPipingNode& CTPipingTree::CreateNodeFor(Cls_QsDevicePlacement& placement) {
  CTBaseFactory* factory = &system_.Factory();
  std::unique_ptr<Cls_QsPipingNode> node;
  if (dynamic_cast<Cls_QsHeaderPlacement*>(&placement)) {
    auto header = std::make_unique<Cls_QsHeaderPipingNode>(0, factory);
    header->SetHeaderPlacement(&placement);
    node = std::move(header);
  } else {
    auto device = std::make_unique<Cls_QsDevicePipingNode>(0, factory);
    device->SetPlacement(&placement);
    node = std::move(device);
  }
  node->SetSystem(&system_);
  node->Insert();
  node->placement_ = &placement;
  Cls_QsPipingNode& created = Adopt(std::move(node));
  nodes_.push_back(&created);
  byPlacement_[KeyOf(placement)] = &created;
  return created;
}

Cls_QsPipingNode& CTPipingTree::CreateJoint() {
  auto joint = std::make_unique<Cls_QsJointPipingNode>(0, &system_.Factory());
  joint->SetSystem(&system_);
  joint->Insert();
  Cls_QsPipingNode& created = Adopt(std::move(joint));
  nodes_.push_back(&created);
  return created;
}

Cls_QsPipingNode& CTPipingTree::EnsureRoot() {
  if (!root_) {
    root_ = &CreateNodeFor(system_);
    root_->root_ = true;
  }
  return *root_;
}

void CTPipingTree::SetParent(Cls_QsPipingNode& node, Cls_QsPipingNode* parent) {
  node.parent_ = parent;
  node.SetParentNode(parent);
}

void CTPipingTree::ReplaceInParent(Cls_QsPipingNode& node, Cls_QsPipingNode* replacement) {
  Cls_QsPipingNode* parent = node.parent_;
  node.parent_ = nullptr;
  if (!parent) return;
  auto& slots = parent->children_;
  const auto at = std::find(slots.begin(), slots.end(), &node);
  if (at == slots.end()) return;
  if (replacement) {
    *at = replacement;
    SetParent(*replacement, parent);
  } else {
    slots.erase(at);
  }
  RenumberChildren(*parent);
}

void CTPipingTree::Detach(Cls_QsPipingNode& child) {
  if (!child.parent_) return;
  auto& siblings = child.parent_->children_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), &child), siblings.end());
  child.parent_ = nullptr;
}

void CTPipingTree::SetChildren(Cls_QsPipingNode& parent,
                               const std::vector<Cls_QsPipingNode*>& children) {
  parent.children_ = children;
  for (Cls_QsPipingNode* child : children) SetParent(*child, &parent);
}

void CTPipingTree::InsertChild(Cls_QsPipingNode& parent, std::size_t index,
                               Cls_QsPipingNode& child) {
  auto& slots = parent.children_;
  slots.insert(slots.begin() + static_cast<std::ptrdiff_t>(std::min(index, slots.size())), &child);
  SetParent(child, &parent);
}

void CTPipingTree::RenumberChildren(Cls_QsPipingNode& node) {
  if (node.IsDevice()) return;
  for (std::size_t i = 0; i < node.children_.size(); ++i) {
    Cls_QsPipingNode* child = node.children_[i];
    if (child->GetSeqNr() != static_cast<int>(i)) {
      child->SetSeqNr(static_cast<int>(i));
      child->Post();
    }
  }
}

void CTPipingTree::DeleteRecord(CTDbObject& record) {
  if (root_ && root_ != &record && root_->GetParentNodeRef().IsSet()) root_->SetParentNode(nullptr);
  record.Delete();
}

void CTPipingTree::Forget(Cls_QsPipingNode& node) {
  nodes_.erase(std::remove(nodes_.begin(), nodes_.end(), &node), nodes_.end());
  leftOut_.erase(std::remove(leftOut_.begin(), leftOut_.end(), &node), leftOut_.end());
  if (node.placement_) {
    const auto it = byPlacement_.find(KeyOf(*node.placement_));
    if (it != byPlacement_.end() && it->second == &node) byPlacement_.erase(it);
  }
  if (root_ == &node) root_ = nullptr;
  const auto owned = std::find_if(owned_.begin(), owned_.end(),
                                  [&](const auto& held) { return held.get() == &node; });
  if (owned != owned_.end()) owned_.erase(owned);
}

void CTPipingTree::DeleteNode(Cls_QsPipingNode& node) {
  Detach(node);
  DeleteRecord(node);
  std::vector<Cls_QsPipingNode*> gone{&node};
  for (std::size_t i = 0; i < gone.size(); ++i) {
    for (Cls_QsPipingNode* child : gone[i]->children_) gone.push_back(child);
  }
  for (Cls_QsPipingNode* n : gone) Forget(*n);
}

void CTPipingTree::ClearToRoot() {
  for (Cls_QsPipingNode* node : std::vector<Cls_QsPipingNode*>(leftOut_)) {
    DeleteRecord(*node);
    Forget(*node);
  }
  if (root_) {
    for (Cls_QsPipingNode* child : std::vector<Cls_QsPipingNode*>(root_->children_)) {
      DeleteNode(*child);
    }
  }
  // Nodes in the tree always hang below the root; anything else still listed goes too.
  for (Cls_QsPipingNode* node : std::vector<Cls_QsPipingNode*>(nodes_)) {
    if (node != root_) DeleteNode(*node);
  }
}

void CTPipingTree::DeleteStrayNodeOf(Cls_QsDevicePlacement& placement) {
  if (!placement.IsStored()) return;
  const bool header = dynamic_cast<Cls_QsHeaderPlacement*>(&placement) != nullptr;
  const int table = header ? Cls_QsHeaderPipingNode::kTableId : Cls_QsDevicePipingNode::kTableId;
  const int field = header ? static_cast<int>(Cls_QsHeaderPipingNode::kHeaderPlacement)
                           : static_cast<int>(Cls_QsDevicePipingNode::kPlacement);
  for (auto& stray : placement.RelatedObjects(table, field)) {
    const Key key = KeyOf(*stray);
    const auto inTree = std::find_if(nodes_.begin(), nodes_.end(),
                                     [&](Cls_QsPipingNode* n) { return KeyOf(*n) == key; });
    if (inTree != nodes_.end()) continue;
    DeleteRecord(*stray);
    const auto leftOut = std::find_if(leftOut_.begin(), leftOut_.end(),
                                      [&](Cls_QsPipingNode* n) { return KeyOf(*n) == key; });
    if (leftOut != leftOut_.end()) Forget(**leftOut);
  }
}
