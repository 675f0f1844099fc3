#include "ui/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ProgramFactory.h"
#include "app/QRNSolvoMain.h"
#include "ui/IndoorTabPage.h"
#include "ui/MessageBoxDialog.h"
#include "ui/OutdoorTabPage.h"
#include "ui/QtText.h"

namespace {

// The tabs' captions, in tab order (UTF-8).
constexpr const char* kTabCaptions[kTabCount] = {
    "Внутренние Блоки",
    "Наружные блоки",
    "Трубопровод",
    "Электропроводка ",
    "Централизованные Контроллеры",
    "Отчеты",
};

QString FilterText(const LTFileDialog& dialog) {
  QStringList filters;
  for (const auto& [caption, pattern] : dialog.filters) {
    QString text = FromProgramText(caption);
    // A caption that does not name its pattern gets it in brackets, as Qt lists patterns.
    if (!text.contains(QString::fromStdString(pattern))) {
      text += QStringLiteral(" (%1)").arg(QString::fromStdString(pattern));
    }
    filters << text;
  }
  return filters.join(QStringLiteral(";;"));
}

// A tab page the later steps fill; until then it says what comes there.
QWidget* PlaceholderPage(const QString& text) {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* label = new QLabel(text);
  label->setAlignment(Qt::AlignCenter);
  label->setEnabled(false);
  layout->addWidget(label);
  return page;
}

}  // namespace

TFrmQRNSolvoMain::TFrmQRNSolvoMain(CTQRNSolvoMainImpl& core, QWidget* parent)
    : QMainWindow(parent), core_(core) {
  setFont(DialogFont());
  setWindowTitle(QStringLiteral("QRN Solvo[*]"));
  tabs_ = new QTabWidget;
  tabs_->setObjectName(QStringLiteral("Nbk_Tabs"));
  indoor_ = new TIndoorTabPage(core_);
  indoor_->onDesignChanged = [this] { RefreshState(); };
  indoor_->onErrorText = [this](const std::string& text) { ShowErrorBox(text); };
  tabs_->addTab(indoor_, QString::fromUtf8(kTabCaptions[0]));
  outdoor_ = new TOutdoorTabPage(core_);
  outdoor_->onDesignChanged = [this] { RefreshState(); };
  outdoor_->onErrorText = [this](const std::string& text) { ShowErrorBox(text); };
  tabs_->addTab(outdoor_, QString::fromUtf8(kTabCaptions[1]));
  for (int i = 2; i < kTabCount; ++i) {
    tabs_->addTab(PlaceholderPage(QString::fromUtf8(kTabCaptions[i])),
                  QString::fromUtf8(kTabCaptions[i]));
  }
  setCentralWidget(tabs_);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { TabChanged(index); });
  errorBox_ = new QPlainTextEdit;
  errorBox_->setObjectName(QStringLiteral("Txt_Error"));
  errorBox_->setReadOnly(true);
  errorBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  errorBox_->setFixedHeight(errorBox_->fontMetrics().height() + 2 * errorBox_->frameWidth() + 4);
  errorBox_->hide();
  statusBar()->addPermanentWidget(errorBox_, 1);
  BuildMenus();
  resize(1024, 720);
  setMinimumSize(800, 600);
}

TFrmQRNSolvoMain::~TFrmQRNSolvoMain() = default;

void TFrmQRNSolvoMain::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QString::fromUtf8("&Файл"));
  QAction* newAction = file->addAction(QString::fromUtf8("&Новый"), this, [this] { NewProject(); });
  newAction->setShortcut(QKeySequence::New);
  QAction* open = file->addAction(QString::fromUtf8("&Открыть…"), this, [this] { OpenProject(); });
  open->setShortcut(QKeySequence::Open);
  QAction* save = file->addAction(QString::fromUtf8("&Сохранить"), this, [this] { SaveProject(); });
  save->setShortcut(QKeySequence::Save);
  file->addAction(QString::fromUtf8("Сохранить &как…"), this, [this] { SaveProjectAs(); });
  file->addSeparator();
  file->addAction(QString::fromUtf8("&Параметры…"))->setEnabled(false);
  file->addSeparator();
  file->addAction(QString::fromUtf8("В&ыход"), this, [this] { close(); });
  QMenu* help = menuBar()->addMenu(QString::fromUtf8("&Справка"));
  help->addAction(QString::fromUtf8("&О программе"), this, [this] {
    QMessageBox::about(
        this, QStringLiteral("QRN Solvo"),
        QStringLiteral("QRN Solvo %1\n%2")
            .arg(QString::fromStdString(ProgramVersionText()), FromProgramText(core_.Caption())));
  });
}

std::string TFrmQRNSolvoMain::ChooseOpenFile(const LTFileDialog& dialog) {
  return QFileDialog::getOpenFileName(this, FromProgramText(dialog.title), QString(),
                                      FilterText(dialog))
      .toStdString();
}

std::string TFrmQRNSolvoMain::ChooseSaveFile(const LTFileDialog& dialog,
                                             const std::string& suggested) {
  QFileDialog chooser(this, FromProgramText(dialog.title), QString(), FilterText(dialog));
  chooser.setAcceptMode(QFileDialog::AcceptSave);
  chooser.setDefaultSuffix(QString::fromStdString(dialog.defaultExtension));
  chooser.selectFile(FromProgramText(suggested));
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return {};
  return chooser.selectedFiles().front().toStdString();
}

void TFrmQRNSolvoMain::SetCaption(const std::string& caption) {
  setWindowTitle(FromProgramText(caption) + QStringLiteral("[*]"));
}

void TFrmQRNSolvoMain::SetTabImages(const std::array<int, kTabCount>& images) {
  images_ = images;
  const QIcon available = style()->standardIcon(QStyle::SP_DialogApplyButton);
  const QIcon unavailable = style()->standardIcon(QStyle::SP_DialogCancelButton);
  for (int i = 0; i < kTabCount && i < tabs_->count(); ++i) {
    tabs_->setTabIcon(
        i, images[static_cast<std::size_t>(i)] == kTabImageAvailable ? available : unavailable);
  }
}

void TFrmQRNSolvoMain::ActivateTab(TQsTab tab) {
  tabs_->setCurrentIndex(static_cast<int>(tab));
}

void TFrmQRNSolvoMain::TabChanged(int index) {
  if (reverting_) return;
  if (index >= 0 && index < kTabCount && !core_.CanEnterTab(static_cast<TQsTab>(index))) {
    // An unavailable tab: back to the one before, without refilling anything.
    reverting_ = true;
    tabs_->setCurrentIndex(previousTab_);
    reverting_ = false;
    return;
  }
  previousTab_ = index;
  ShowErrorBox({});
  if (index == static_cast<int>(TQsTab::kIndoor)) indoor_->Fill();
  if (index == static_cast<int>(TQsTab::kOutdoor)) outdoor_->Fill();
}

void TFrmQRNSolvoMain::RefillTab(TQsTab tab) {
  if (tab == TQsTab::kIndoor) indoor_->Fill();
  if (tab == TQsTab::kOutdoor) outdoor_->Fill();
}

void TFrmQRNSolvoMain::ClearProjectViews() {
  indoor_->List().clear();
  outdoor_->Tree().clear();
  outdoor_->Unconnected().clear();
}

void TFrmQRNSolvoMain::ShowErrorBox(const std::string& text) {
  errorBox_->setPlainText(FromProgramText(text));
  errorBox_->setVisible(!text.empty());
}

void TFrmQRNSolvoMain::RefreshState() {
  core_.RefreshTabStates();
  setWindowModified(core_.IsModified());
}

void TFrmQRNSolvoMain::NewProject() {
  core_.NewProject();
  RefreshState();
}

void TFrmQRNSolvoMain::OpenProject() {
  core_.OpenProject();
  RefreshState();
}

void TFrmQRNSolvoMain::SaveProject() {
  const std::string& file = core_.Factory().Database(CTFactory::kProject).fileName;
  if (file.empty()) {
    core_.SaveProjectAs();
  } else {
    core_.SaveProjectTo(file);
  }
  RefreshState();
}

void TFrmQRNSolvoMain::SaveProjectAs() {
  core_.SaveProjectAs();
  RefreshState();
}

void TFrmQRNSolvoMain::closeEvent(QCloseEvent* event) {
  if (core_.QueryClose()) {
    event->accept();
  } else {
    event->ignore();
    RefreshState();
  }
}
