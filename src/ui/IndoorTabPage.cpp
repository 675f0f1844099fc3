#include "ui/IndoorTabPage.h"

#include <QComboBox>
#include <QDropEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/IndoorTab.h"
#include "app/QRNSolvoMain.h"
#include "catalogue/PipingTables.h"
#include "design/IndoorDialog.h"
#include "design/Preferences.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "objectstore/TableInfo.h"
#include "ui/IndoorDialogWindow.h"
#include "ui/QtText.h"

namespace {

constexpr int kPlacementRole = Qt::UserRole + 1;

// The list with drag-to-reorder: a drop of one row onto another moves its unit before that
// row's unit.
class TIndoorList : public QTreeWidget {
 public:
  explicit TIndoorList(TIndoorTabPage& page) : page_(page) {}

 protected:
  void dropEvent(QDropEvent* event) override {
    event->ignore();
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (!target || selected.size() != 1 || selected.front() == target) return;
    page_.MoveRow(indexOfTopLevelItem(selected.front()), indexOfTopLevelItem(target));
  }

 private:
  TIndoorTabPage& page_;
};

}  // namespace

TIndoorTabPage::TIndoorTabPage(CTQRNSolvoMainImpl& core, QWidget* parent)
    : QWidget(parent), core_(core) {
  auto* identity = new QGroupBox;
  auto* form = new QFormLayout(identity);
  name_ = new QLineEdit;
  name_->setObjectName(QStringLiteral("Txt_Name"));
  reference_ = new QLineEdit;
  reference_->setObjectName(QStringLiteral("Txt_ProjectReference"));
  client_ = new QLineEdit;
  client_->setObjectName(QStringLiteral("Txt_ClientName"));
  address_ = new QPlainTextEdit;
  address_->setObjectName(QStringLiteral("Txt_ClientAddress"));
  address_->setMaximumHeight(60);
  form->addRow(QString::fromUtf8("Название проекта"), name_);
  form->addRow(QString::fromUtf8("Контакт"), reference_);
  form->addRow(QString::fromUtf8("Имя клиента"), client_);
  form->addRow(QString::fromUtf8("Адрес клиента"), address_);

  auto* refrigerantGroup = new QGroupBox(QString::fromUtf8("Хладагент"));
  auto* refrigerantLayout = new QVBoxLayout(refrigerantGroup);
  refrigerant_ = new QComboBox;
  refrigerant_->setObjectName(QStringLiteral("Cmb_Refrigerant"));
  refrigerantLayout->addWidget(refrigerant_);
  award_ = new QGroupBox(QStringLiteral("Award"));
  auto* awardLayout = new QVBoxLayout(award_);
  awardText_ = new QLabel;
  awardText_->setObjectName(QStringLiteral("Lbl_Award"));
  awardLayout->addWidget(awardText_);
  auto* side = new QVBoxLayout;
  side->addWidget(refrigerantGroup);
  side->addWidget(award_);
  side->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(identity, 1);
  top->addLayout(side);

  list_ = new TIndoorList(*this);
  list_->setObjectName(QStringLiteral("Lvw_IU"));
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setDragDropMode(QAbstractItemView::InternalMove);
  list_->installEventFilter(this);
  QStringList headers{QString::fromUtf8("Название")};
  for (const std::string& caption : IndoorListColumnCaptions()) {
    headers << FromProgramText(caption);
  }
  list_->setHeaderLabels(headers);
  list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

  auto* buttons = new QVBoxLayout;
  auto* add = new QPushButton(QString::fromUtf8("Добавить"));
  add->setObjectName(QStringLiteral("Btn_AddIU"));
  edit_ = new QPushButton(QString::fromUtf8("Изменить"));
  edit_->setObjectName(QStringLiteral("Btn_EditIU"));
  connect(add, &QPushButton::clicked, this, [this] { AddUnits(); });
  connect(edit_, &QPushButton::clicked, this, [this] { EditSelected(); });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { EditSelected(); });
  delete_ = new QPushButton(QString::fromUtf8("Удалить"));
  delete_->setObjectName(QStringLiteral("Btn_DelIU"));
  buttons->addWidget(add);
  buttons->addWidget(edit_);
  buttons->addWidget(delete_);
  buttons->addStretch();
  auto* middle = new QHBoxLayout;
  middle->addWidget(list_, 1);
  middle->addLayout(buttons);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(middle, 1);

  connect(name_, &QLineEdit::editingFinished, this,
          [this] { IdentityEdited(static_cast<int>(TQsControl::kProjectName), name_->text()); });
  connect(reference_, &QLineEdit::editingFinished, this, [this] {
    IdentityEdited(static_cast<int>(TQsControl::kProjectReference), reference_->text());
  });
  connect(client_, &QLineEdit::editingFinished, this,
          [this] { IdentityEdited(static_cast<int>(TQsControl::kClientName), client_->text()); });
  connect(address_, &QPlainTextEdit::textChanged, this, [this] {
    IdentityEdited(static_cast<int>(TQsControl::kClientAddress), address_->toPlainText());
  });
  connect(refrigerant_, &QComboBox::activated, this, [this](int index) {
    if (filling_ || index < 0 || static_cast<std::size_t>(index) >= core_.Refrigerants().size()) {
      return;
    }
    core_.Project().ChangeRefrigerant(core_.Refrigerants()[static_cast<std::size_t>(index)].get(),
                                      core_.OutdoorUnits());
    core_.RecalculateProject();
    Fill();
    if (onDesignChanged) onDesignChanged();
  });
  connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateButtons(); });
  connect(delete_, &QPushButton::clicked, this, [this] { DeleteSelected(); });
}

void TIndoorTabPage::IdentityEdited(int control, const QString& text) {
  if (filling_ || !core_.HasProject()) return;
  core_.EditProjectIdentity(static_cast<TQsControl>(control), ToProgramText(text));
  const std::string award = core_.AwardText();
  award_->setVisible(!award.empty());
  if (onDesignChanged) onDesignChanged();
}

void TIndoorTabPage::Fill() {
  if (!core_.HasProject()) return;
  filling_ = true;
  Cls_QsProject& project = core_.Project();
  name_->setText(FromProgramText(project.Name()));
  reference_->setText(FromProgramText(project.GetProjectReference()));
  client_->setText(FromProgramText(project.GetClientName()));
  address_->setPlainText(FromProgramText(project.GetClientAddress()));
  refrigerant_->clear();
  const LTRecordRef current = project.GetRefrigerantRef();
  int selected = -1;
  for (const auto& refrigerant : core_.Refrigerants()) {
    refrigerant_->addItem(FromProgramText(refrigerant->Name()));
    if (refrigerant->RecordId() == current.recordId &&
        refrigerant->Table().Id() == current.tableId) {
      selected = refrigerant_->count() - 1;
    }
  }
  // A project without a refrigerant of the list takes the first, with its series.
  if (selected < 0 && refrigerant_->count() > 0) {
    selected = 0;
    project.SetRefrigerant(core_.Refrigerants()[0].get());
    project.Post();
    project.BuildSeriesLists(core_.OutdoorUnits());
  }
  refrigerant_->setCurrentIndex(selected);
  const std::string award = core_.AwardText();
  awardText_->setText(FromProgramText(award));
  award_->setVisible(!award.empty());
  filling_ = false;
  FillRows();
}

void TIndoorTabPage::FillRows() {
  list_->clear();
  for (const LTIndoorRow& row :
       MakeIndoorRows(core_.Project(), core_.Air(), CTPreferences::Current().indoorConditionType)) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, FromProgramText(row.caption));
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
      item->setText(static_cast<int>(i) + 1, FromProgramText(row.cells[i]));
    }
    item->setData(0, kPlacementRole, QVariant::fromValue(static_cast<void*>(row.placement)));
    if (row.stateImage == 3) item->setForeground(0, QColor(0xB0, 0x20, 0x20));
    item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
    list_->addTopLevelItem(item);
  }
  UpdateButtons();
}

std::vector<Cls_QsIndPlacement*> TIndoorTabPage::SelectedUnits() const {
  std::vector<Cls_QsIndPlacement*> units;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    if (item->isSelected()) {
      units.push_back(
          static_cast<Cls_QsIndPlacement*>(item->data(0, kPlacementRole).value<void*>()));
    }
  }
  return units;
}

void TIndoorTabPage::AddUnits() {
  if (!core_.HasProject()) return;
  Cls_QsProject& project = core_.Project();
  const std::size_t before = project.GetPlacements().size();
  TDlgQsIndPlacement dialog(std::make_unique<CTIndoorDialog>(
                                project, [&project] { return project.AddIndoorPlacement(); }),
                            window());
  dialog.onAdded = [this](Cls_QsIndPlacement&) { FillRows(); };
  dialog.exec();
  if (project.GetPlacements().size() != before) core_.RecalculateProject();
  FillRows();
  if (onDesignChanged) onDesignChanged();
}

void TIndoorTabPage::EditSelected() {
  const std::vector<Cls_QsIndPlacement*> selected = SelectedUnits();
  if (selected.empty() || !MayEditTogether(selected)) return;
  // The ventilation and adapter dialogs come with a later step.
  const int table = selected.front()->TableId();
  if (table != Cls_QsIndPlacement::kTableId && table != Cls_QsAXDPlacement::kTableId) return;
  std::unique_ptr<CTIndoorDialog> logic =
      selected.size() == 1
          ? std::make_unique<CTIndoorDialog>(core_.Project(), *selected.front(), false)
          : std::make_unique<CTIndoorDialog>(core_.Project(), selected);
  TDlgQsIndPlacement dialog(std::move(logic), window());
  if (dialog.exec() == QDialog::Accepted) core_.RecalculateProject();
  FillRows();
  if (onDesignChanged) onDesignChanged();
}

void TIndoorTabPage::UpdateButtons() {
  const std::vector<Cls_QsIndPlacement*> selected = SelectedUnits();
  delete_->setEnabled(!selected.empty());
  edit_->setEnabled(!selected.empty());
  std::string error;
  if (selected.size() == 1 && (selected[0]->HasError() || selected[0]->HasWarning())) {
    error = selected[0]->GetErrorText();
  }
  if (onErrorText) onErrorText(error);
}

void TIndoorTabPage::DeleteSelected() {
  const std::vector<Cls_QsIndPlacement*> selected = SelectedUnits();
  if (selected.empty()) return;
  if (DeleteIndoorUnits(core_, selected) > 0) {
    FillRows();
    if (onDesignChanged) onDesignChanged();
  }
}

void TIndoorTabPage::MoveRow(int from, int to) {
  QTreeWidgetItem* moved = list_->topLevelItem(from);
  QTreeWidgetItem* target = list_->topLevelItem(to);
  if (!moved || !target) return;
  auto* unit = static_cast<Cls_QsIndPlacement*>(moved->data(0, kPlacementRole).value<void*>());
  auto* before = static_cast<Cls_QsIndPlacement*>(target->data(0, kPlacementRole).value<void*>());
  if (!MoveIndoorUnit(core_.Project(), *unit, *before)) return;
  FillRows();
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    if (item->data(0, kPlacementRole).value<void*>() == unit) {
      list_->setCurrentItem(item);
      break;
    }
  }
  if (onDesignChanged) onDesignChanged();
}

bool TIndoorTabPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier &&
        delete_->isEnabled()) {
      DeleteSelected();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
