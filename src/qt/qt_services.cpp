#include "qt/qt_services.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>

#include "platform/version.h"
#include "qt/twips.h"

namespace quillet {

int QtServices::MessageBox(const std::string& text, int style, const std::string& title) {
  const bool exclamation = style == kStyleExclamation || style == kStyleOkCancelExclamation ||
                           style == kStyleYesNoCancelExclamation;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  if (style == kStyleOkCancelExclamation) buttons = QMessageBox::Ok | QMessageBox::Cancel;
  if (style == kStyleYesNoCancelExclamation) buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
  QMessageBox box(exclamation ? QMessageBox::Warning : QMessageBox::Information,
                  QString::fromStdString(title), QString::fromStdString(text), buttons,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(style == kStyleYesNoCancelExclamation ? QMessageBox::Save : QMessageBox::Ok);
  switch (box.exec()) {
    case QMessageBox::Ok: return kAnswerOk;
    case QMessageBox::Save: return kAnswerYes;
    case QMessageBox::Discard: return kAnswerNo;
    default: return kAnswerCancel;
  }
}

void QtServices::ClearClipboard() { QGuiApplication::clipboard()->clear(); }

void QtServices::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void QtServices::Beep() { QApplication::beep(); }

namespace {

// The locale's short date with a four-digit year.
QString ShortDateFormat(const QLocale& locale) {
  QString date = locale.dateFormat(QLocale::ShortFormat);
  if (!date.contains(QLatin1String("yyyy"))) date.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  return date;
}

}  // namespace

// The short date and the time with seconds, the way a general date reads.
std::string QtServices::NowText() {
  const QLocale locale = QLocale::system();
  QString time = locale.timeFormat(QLocale::LongFormat);
  time.remove(QLatin1Char('t'));
  const QDateTime now = QDateTime::currentDateTime();
  return (locale.toString(now.date(), ShortDateFormat(locale)) + u' ' + locale.toString(now.time(), time).trimmed())
      .toStdString();
}

std::string QtServices::TodayText() {
  const QLocale locale = QLocale::system();
  return locale.toString(QDate::currentDate(), ShortDateFormat(locale)).toStdString();
}

VersionNumbers QtServices::Version() { return ProgramVersion(); }

int ScreenWidthTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? ToTwips(screen->availableGeometry().width()) : ToTwips(1920);
}

int ScreenHeightTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? ToTwips(screen->availableGeometry().height()) : ToTwips(1080);
}

}  // namespace quillet
