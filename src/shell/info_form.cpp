#include "shell/info_form.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr char kPartnersPage[] = "https://www.oltrane.ru/partners.html";

bool SameNotice(const TVersionNotice& a, const TVersionNotice& b) {
  return a.Heading == b.Heading && a.Text == b.Text && a.ArchiveNumber == b.ArchiveNumber &&
         a.ShowUpdateLink == b.ShowUpdateLink;
}

}  // namespace

TmInfoForm::TmInfoForm(QWidget* parent)
    : QDialog(parent),
      heading_(new QLabel(this)),
      text_(new QLabel(this)),
      link_(new QLabel(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      starter_([](const QString& program, const QString& folder) {
        return QProcess::startDetached(program, {}, folder);
      }),
      closer_([this] {
        if (parentWidget() != nullptr) {
          parentWidget()->window()->close();
        } else {
          QCoreApplication::quit();
        }
      }),
      programFolder_(QCoreApplication::applicationDirPath()) {
  setObjectName(QStringLiteral("mInfoForm"));
  setWindowTitle(QStringLiteral("Информация"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(false);

  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  heading_->setWordWrap(true);
  text_->setWordWrap(true);
  link_->setText(QStringLiteral("<a href=\"%1\">Загрузить последнюю версию</a>")
                     .arg(QLatin1String(kPartnersPage)));
  link_->setOpenExternalLinks(true);
  link_->hide();
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &TmInfoForm::Confirm);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading_);
  layout->addWidget(text_);
  layout->addWidget(link_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  layout->addLayout(buttons);
  setMinimumWidth(420);
}

void TmInfoForm::Notify(const TVersionNotice& notice) {
  // The main module repeats its version with every status answer.
  for (const auto* seen : {&answered_, &shown_, &pending_}) {
    if (seen->has_value() && SameNotice(**seen, notice)) return;
  }
  if (busy_) {
    pending_ = notice;
    return;
  }
  Present(notice);
}

void TmInfoForm::SetBusy(bool busy) {
  busy_ = busy;
  if (busy_ || !pending_) return;
  const TVersionNotice notice = *pending_;
  pending_.reset();
  Present(notice);
}

QString TmInfoForm::Heading() const {
  return heading_->text();
}
QString TmInfoForm::Text() const {
  return text_->text();
}
bool TmInfoForm::LinkShown() const {
  return !link_->isHidden();
}

void TmInfoForm::Present(const TVersionNotice& notice) {
  shown_ = notice;
  heading_->setText(notice.Heading);
  heading_->setVisible(!notice.Heading.isEmpty());
  link_->setVisible(notice.ShowUpdateLink);
  if (notice.ArchiveNumber > 0) {
    text_->setText(notice.Text);
    action_ = TAction::HandOver;
  } else if (notice.ShowUpdateLink) {
    text_->setText(notice.Text);
    action_ = TAction::Quit;
  } else {
    Explain(QStringLiteral("Для вашей версии нет подходящей программы."));
  }
  adjustSize();
  if (parentWidget() != nullptr) {
    const QRect owner = parentWidget()->window()->frameGeometry();
    move(owner.center() - rect().center());
  }
  show();
  raise();
}

void TmInfoForm::Explain(const QString& text) {
  text_->setText(text + QStringLiteral(" Vardex продолжит работу."));
  action_ = TAction::Close;
}

void TmInfoForm::Confirm() {
  switch (action_) {
    case TAction::Close:
      Dismiss();
      return;
    case TAction::Quit:
      Dismiss();
      closer_();
      return;
    case TAction::HandOver:
      break;
  }
  const QString relative = ArchivedProgram(shown_ ? shown_->ArchiveNumber : 0);
  const QString program = QDir(programFolder_).filePath(relative);
  if (!QFileInfo(program).isFile()) {
    Explain(QStringLiteral("Программа %1 не найдена.").arg(QDir::toNativeSeparators(relative)));
    return;
  }
  if (!starter_(program, programFolder_)) {
    Explain(QStringLiteral("Не удалось запустить %1.").arg(QDir::toNativeSeparators(relative)));
    return;
  }
  Dismiss();
  closer_();
}

void TmInfoForm::Dismiss() {
  answered_ = shown_;
  shown_.reset();
  hide();
}

void TmInfoForm::reject() {
  // Closing the window declines the handover; the program keeps running.
  answered_ = shown_;
  shown_.reset();
  QDialog::reject();
}
