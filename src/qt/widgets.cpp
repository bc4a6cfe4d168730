#include "qt/widgets.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QToolButton>

namespace quillet {

QString PlainCaption(const std::string& caption) { return QString::fromStdString(caption); }

QString EscapedMnemonics(const std::string& caption) {
  return PlainCaption(caption).replace(QLatin1Char('&'), QLatin1String("&&"));
}

void CaptionButton::SetCaption(const QString& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  setAccessibleName(caption);
  update();
}

void CaptionButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
  const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                 QPalette::ButtonText));
  painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, caption_);
}

ModelOption::ModelOption(QWidget* parent) : QRadioButton(parent) { setAutoExclusive(false); }

SpinArrows::SpinArrows(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  for (QToolButton* arrow : {up_, down_}) {
    arrow->setFocusPolicy(Qt::NoFocus);
    arrow->setAutoRepeat(true);
    arrow->setIconSize(QSize(6, 6));
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  QObject::connect(up_, &QToolButton::clicked, this, [this] { if (onUp) onUp(); });
  QObject::connect(down_, &QToolButton::clicked, this, [this] { if (onDown) onDown(); });
}

void SpinArrows::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace quillet
