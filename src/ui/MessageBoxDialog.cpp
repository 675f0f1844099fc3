#include "ui/MessageBoxDialog.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "i18n/DialogCaptions.h"
#include "i18n/MessageLayout.h"
#include "ui/QtText.h"

namespace {

class LTFontMeasure : public CTTextMeasure {
 public:
  explicit LTFontMeasure(const QFont& font) : metrics_(font) {}
  int Width(std::string_view text) const override {
    return metrics_.horizontalAdvance(FromProgramText(std::string(text)));
  }
  int LineHeight() const override { return metrics_.lineSpacing(); }

 private:
  QFontMetrics metrics_;
};

QStyle::StandardPixmap IconOf(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Error:
      return QStyle::SP_MessageBoxCritical;
    case TMsgKind::Warning:
      return QStyle::SP_MessageBoxWarning;
    case TMsgKind::Info:
      return QStyle::SP_MessageBoxInformation;
    case TMsgKind::Confirmation:
      break;
  }
  return QStyle::SP_MessageBoxQuestion;
}

}  // namespace

QFont DialogFont() {
  QFont font = QApplication::font();
  // DejaVu Sans carries the Cyrillic glyphs on every Debian desktop.
  font.setFamilies({QStringLiteral("DejaVu Sans"), font.family()});
  return font;
}

TMsgBoxDialog::TMsgBoxDialog(TMsgKind kind, bool withIcon, const std::string& title,
                             const std::string& text, TMsgButtons buttons, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(FromProgramText(title));
  setFont(DialogFont());
  setModal(true);

  // The button row first: its width takes part in the window's width.
  auto* row = new QHBoxLayout;
  row->addStretch();
  QPushButton* first = nullptr;
  for (const TMsgButton button : VisibleButtons(buttons)) {
    auto* push = new QPushButton(FromProgramText(ButtonCaption(button)));
    push->setObjectName(QStringLiteral("button%1").arg(static_cast<unsigned>(button)));
    connect(push, &QPushButton::clicked, this, [this, button] {
      pressed_ = button;
      accept();
    });
    row->addWidget(push);
    if (!first) first = push;
  }
  row->addStretch();
  if (first) first->setDefault(true);
  int rowWidth = 0;
  int rowHeight = 0;
  for (int i = 0; i < row->count(); ++i) {
    if (QWidget* w = row->itemAt(i)->widget()) {
      rowWidth += w->sizeHint().width() + row->spacing();
      rowHeight = std::max(rowHeight, w->sizeHint().height());
    }
  }

  LTMessageBoxMetrics metrics;
  metrics.scale = logicalDpiX() / 120.0;
  const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  metrics.iconSize = iconSize;
  const LTFontMeasure measure(font());
  const LTMessageBoxLayout layout =
      LayoutMessageBox(text, withIcon, rowWidth, rowHeight, measure, metrics);
  std::string wrapped;
  for (std::size_t i = 0; i < layout.lines.size(); ++i) {
    wrapped += (i ? "\n" : "") + layout.lines[i];
  }

  auto* body = new QHBoxLayout;
  body->setSpacing(metrics.margin);
  if (withIcon) {
    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(style()->standardIcon(IconOf(kind), nullptr, this).pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);
    body->addWidget(icon);
  }
  auto* label = new QLabel(FromProgramText(wrapped));
  label->setObjectName(QStringLiteral("text"));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  body->addWidget(label, 1);

  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(metrics.margin, metrics.margin, metrics.margin, metrics.margin);
  top->setSpacing(metrics.margin);
  top->addLayout(body);
  top->addLayout(row);
  top->setSizeConstraint(QLayout::SetFixedSize);
  label->setMinimumWidth(layout.clientWidth - layout.textLeft - metrics.margin);
}

int TMsgBoxDialog::exec() {
  pressed_ = 0;
  QDialog::exec();
  return static_cast<int>(pressed_);
}
