#include "ui/OutdoorTabPage.h"

#include <QDropEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/OutdoorTab.h"
#include "app/QRNSolvoMain.h"
#include "design/IndoorDialog.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "ui/IndoorDialogWindow.h"
#include "ui/QtText.h"
#include "ui/SystemForm.h"

namespace {

constexpr int kOutdoorPlacementRole = Qt::UserRole + 1;

void AddNodes(QTreeWidgetItem* parent, QTreeWidget* tree,
              const std::vector<LTProjectTreeNode>& nodes) {
  for (const LTProjectTreeNode& node : nodes) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, FromProgramText(node.text));
    item->setData(0, kOutdoorPlacementRole,
                  QVariant::fromValue(static_cast<void*>(node.placement)));
    if (node.stateImage == 3) item->setForeground(0, QColor(0xB0, 0x20, 0x20));
    if (node.stateImage == 9) item->setForeground(0, QColor(0x9A, 0x6A, 0x00));
    if (parent) {
      parent->addChild(item);
    } else {
      tree->addTopLevelItem(item);
    }
    AddNodes(item, tree, node.children);
  }
}

Cls_QsDevicePlacement* PlacementOf(const QTreeWidgetItem* item) {
  return item ? static_cast<Cls_QsDevicePlacement*>(
                    item->data(0, kOutdoorPlacementRole).value<void*>())
              : nullptr;
}

// The project tree: placements are dragged within it, and units from the unconnected list onto
// it, by the tree's rules.
class TProjectTree : public QTreeWidget {
 public:
  TProjectTree(TOutdoorTabPage& page) : page_(page) {
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
  }

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override { Offer(event); }
  void dragMoveEvent(QDragMoveEvent* event) override { Offer(event); }
  void dropEvent(QDropEvent* event) override {
    event->ignore();
    Cls_QsDevicePlacement* dragged = Dragged(event);
    Cls_QsDevicePlacement* target = PlacementOf(itemAt(event->position().toPoint()));
    if (dragged && target) page_.Drop(*dragged, *target);
  }

 private:
  Cls_QsDevicePlacement* Dragged(QDropEvent* event) const {
    if (event->source() == this) {
      const QList<QTreeWidgetItem*> items = selectedItems();
      return items.isEmpty() ? nullptr : PlacementOf(items.front());
    }
    if (event->source() == &page_.Unconnected()) return page_.SelectedUnconnected();
    return nullptr;
  }
  void Offer(QDragMoveEvent* event) {
    Cls_QsDevicePlacement* dragged = Dragged(event);
    Cls_QsDevicePlacement* target = PlacementOf(itemAt(event->position().toPoint()));
    if (dragged && target && MayDropOnto(*dragged, *target)) {
      event->acceptProposedAction();
    } else {
      event->ignore();
    }
  }

  TOutdoorTabPage& page_;
};

}  // namespace

TOutdoorTabPage::TOutdoorTabPage(CTQRNSolvoMainImpl& core, QWidget* parent)
    : QWidget(parent), core_(core) {
  tree_ = new TProjectTree(*this);
  tree_->setObjectName(QStringLiteral("Tvw_Project"));
  tree_->setHeaderHidden(true);
  unconnected_ = new QListWidget;
  unconnected_->setObjectName(QStringLiteral("Lbx_AvailIU"));
  unconnected_->setDragEnabled(true);
  auto* unconnectedGroup = new QGroupBox(QString::fromUtf8("Неподсоединенные вн. блоки"));
  auto* unconnectedLayout = new QVBoxLayout(unconnectedGroup);
  unconnectedLayout->addWidget(unconnected_);

  auto* add = new QPushButton(QString::fromUtf8("Добавить"));
  add->setObjectName(QStringLiteral("Btn_AddOU"));
  edit_ = new QPushButton(QString::fromUtf8("Изменить"));
  edit_->setObjectName(QStringLiteral("Btn_EditOUBS"));
  delete_ = new QPushButton(QString::fromUtf8("Удалить"));
  delete_->setObjectName(QStringLiteral("Btn_DelOUBS"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(edit_);
  buttons->addWidget(delete_);
  buttons->addStretch();

  selection_ = new QGroupBox;
  selection_->setObjectName(QStringLiteral("Grb_SelModelData"));
  rows_ = new QFormLayout(selection_);

  auto* left = new QVBoxLayout;
  left->addWidget(tree_, 1);
  left->addLayout(buttons);
  auto* right = new QVBoxLayout;
  right->addWidget(selection_);
  right->addWidget(unconnectedGroup, 1);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 3);
  layout->addLayout(right, 2);

  connect(tree_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
  connect(add, &QPushButton::clicked, this, [this] { AddSystem(); });
  connect(delete_, &QPushButton::clicked, this, [this] { DeleteSelected(); });
  connect(edit_, &QPushButton::clicked, this, [this] { EditSelected(); });
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelected(); });
}

void TOutdoorTabPage::Fill() {
  if (!core_.HasProject()) return;
  const Cls_QsDevicePlacement* selected = SelectedPlacement();
  tree_->clear();
  AddNodes(nullptr, tree_, RefreshProjectTree(core_));
  tree_->expandAll();
  unconnected_->clear();
  for (const LTUnconnectedRow& row : UnconnectedRows(core_.Project())) {
    auto* item = new QListWidgetItem(FromProgramText(row.caption));
    item->setData(kOutdoorPlacementRole, QVariant::fromValue(static_cast<void*>(row.placement)));
    unconnected_->addItem(item);
  }
  if (selected) SelectPlacement(selected);
  UpdateButtons();
}

Cls_QsDevicePlacement* TOutdoorTabPage::SelectedPlacement() const {
  const QList<QTreeWidgetItem*> items = tree_->selectedItems();
  return items.isEmpty() ? nullptr : PlacementOf(items.front());
}

bool TOutdoorTabPage::SelectPlacement(const Cls_QsDevicePlacement* placement) {
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
    if (PlacementOf(*it) == placement) {
      tree_->setCurrentItem(*it);
      return true;
    }
  }
  return false;
}

void TOutdoorTabPage::UpdateButtons() {
  Cls_QsDevicePlacement* placement = SelectedPlacement();
  delete_->setEnabled(placement != nullptr);
  edit_->setEnabled(placement != nullptr);
  const LTSelectionPanel panel = SelectionPanel(core_, placement);
  while (rows_->rowCount() > 0) rows_->removeRow(0);
  selection_->setTitle(FromProgramText(panel.caption));
  selection_->setVisible(placement != nullptr);
  for (const LTSelectionRow& row : panel.rows) {
    QString value = FromProgramText(row.value);
    if (!row.second.empty()) value += QStringLiteral("  /  ") + FromProgramText(row.second);
    rows_->addRow(FromProgramText(row.caption), new QLabel(value));
  }
  std::string error;
  if (placement && (placement->HasError() || placement->HasWarning())) {
    error = placement->GetErrorText();
  }
  if (onErrorText) onErrorText(error);
}

Cls_QsDevicePlacement* TOutdoorTabPage::SelectedUnconnected() const {
  const QList<QListWidgetItem*> items = unconnected_->selectedItems();
  return items.isEmpty() ? nullptr
                         : static_cast<Cls_QsDevicePlacement*>(
                               items.front()->data(kOutdoorPlacementRole).value<void*>());
}

bool TOutdoorTabPage::Drop(Cls_QsDevicePlacement& dragged, Cls_QsDevicePlacement& target) {
  if (!DropOnto(core_, dragged, target)) return false;
  Fill();
  SelectPlacement(&dragged);
  if (onDesignChanged) onDesignChanged();
  return true;
}

bool TOutdoorTabPage::EditSystem(Cls_QsOutPlacement& system) {
  TSystemForm form(system, core_.Project().GetSeriesNames(), window());
  if (onSystemForm) onSystemForm(form);
  return form.exec() == QDialog::Accepted;
}

void TOutdoorTabPage::AddSystem() {
  if (!core_.HasProject()) return;
  Cls_QsOutPlacement* system = core_.Project().AddOutdoorPlacement();
  if (!EditSystem(*system)) {
    DiscardNewSystem(core_.Project(), *system);
    Fill();
    return;
  }
  Fill();
  SelectPlacement(system);
  if (onDesignChanged) onDesignChanged();
}

void TOutdoorTabPage::EditSelected() {
  Cls_QsDevicePlacement* placement = SelectedPlacement();
  if (!placement) return;
  if (auto* system = dynamic_cast<Cls_QsOutPlacement*>(placement)) {
    EditSystem(*system);
  } else if (auto* unit = dynamic_cast<Cls_QsIndPlacement*>(placement);
             unit && (unit->TableId() == Cls_QsIndPlacement::kTableId ||
                      unit->TableId() == Cls_QsAXDPlacement::kTableId)) {
    TDlgQsIndPlacement dialog(std::make_unique<CTIndoorDialog>(core_.Project(), *unit, false),
                              window());
    dialog.exec();
  }
  Fill();
  SelectPlacement(placement);
  if (onDesignChanged) onDesignChanged();
}

void TOutdoorTabPage::DeleteSelected() {
  Cls_QsDevicePlacement* placement = SelectedPlacement();
  if (!placement || !core_.Project().DeletePlacementNode(*placement)) return;
  Fill();
  if (onDesignChanged) onDesignChanged();
}
