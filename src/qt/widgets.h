// Qt widgets that leave every decision to the control model: options and
// check boxes do not toggle themselves, buttons wrap their captions.
#pragma once

#include <functional>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QColor>
#include <QWidget>

#include "platform/controls.h"

class QToolButton;

namespace quillet {

// A command button whose caption wraps at spaces, as a long caption must;
// an "&" in it marks the access key.
class CaptionButton : public QPushButton {
 public:
  explicit CaptionButton(QWidget* parent) : QPushButton(parent) {}
  void SetCaption(const QString& caption);
  const QString& Caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};

// The model selects options; a click only reports itself.
class ModelOption : public QRadioButton {
 public:
  explicit ModelOption(QWidget* parent);

 protected:
  void nextCheckState() override {}
};

class ModelCheckBox : public QCheckBox {
 public:
  explicit ModelCheckBox(QWidget* parent) : QCheckBox(parent) {}

 protected:
  void nextCheckState() override {}
};

// A pair of small arrows, up above down, that never take the focus.
class SpinArrows : public QWidget {
 public:
  explicit SpinArrows(QWidget* parent);
  std::function<void()> onUp, onDown;
  QToolButton* Up() const { return up_; }
  QToolButton* Down() const { return down_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

// Paints a model picture's shapes, scaled from its pixel grid to the widget.
class PictureWidget : public QWidget {
 public:
  PictureWidget(const Picture& picture, QWidget* parent) : QWidget(parent), picture_(picture) {}

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Picture& picture_;
};

// A model colour on screen; the system colours follow the application palette.
QColor ShownColour(Colour colour);

// Captions show exactly as given: an ampersand is not a mnemonic.
QString PlainCaption(const std::string& caption);
QString EscapedMnemonics(const std::string& caption);

}  // namespace quillet
