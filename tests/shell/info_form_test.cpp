#include "shell/info_form.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

#include "test_support.h"

namespace {

// The notice window with its program start and its program end recorded instead of done.
class InfoFormTest : public ::testing::Test {
 protected:
  InfoFormTest() {
    form.SetProgramFolder(folder.path());
    form.SetStarter([this](const QString& program, const QString& workFolder) {
      started.push_back(program);
      EXPECT_EQ(workFolder, folder.path());
      return startSucceeds;
    });
    form.SetCloser([this] { ++closed; });
  }

  void PutArchive(const QString& name) {
    QDir(folder.path()).mkpath(QStringLiteral("Arh"));
    QFile file(QDir(folder.path()).filePath(QStringLiteral("Arh/") + name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }

  static TVersionNotice Notice(uint8_t major, uint8_t minor) {
    return *MainVersionNotice(major, minor);
  }

  QTemporaryDir folder;
  TmInfoForm form;
  std::vector<QString> started;
  bool startSucceeds = true;
  int closed = 0;
};

TEST_F(InfoFormTest, IsANonModalAlwaysOnTopInformationWindow) {
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Информация"));
  EXPECT_FALSE(form.isModal());
  EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(InfoFormTest, NoticeDuringATransferWaitsUntilTheTransferEnds) {
  form.SetBusy(true);
  form.Notify(Notice(5, 0x33));
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(form.HasPending());
  form.SetBusy(true);  // a nested transfer
  EXPECT_FALSE(form.isVisible());
  form.SetBusy(false);
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(form.HasPending());
  EXPECT_EQ(form.Heading(), QStringLiteral("Вы используете версию системы ниже, чем 05.34"));
  EXPECT_EQ(form.Text(), QStringLiteral("Будет открыт Vardex, подходящий для вашей версии: 5.33"));
  EXPECT_FALSE(form.LinkShown());
}

TEST_F(InfoFormTest, HandoverStartsThePresentArchiveAndOnlyThenEndsTheProgram) {
  PutArchive(QStringLiteral("Vardex5_33.exe"));
  form.Notify(Notice(5, 0x33));
  form.Confirm();
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0], QDir(folder.path()).filePath(QStringLiteral("Arh/Vardex5_33.exe")));
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(InfoFormTest, MissingOrFailingArchiveIsReportedAndTheProgramKeepsRunning) {
  form.Notify(Notice(4, 0x75));
  form.Confirm();
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(closed, 0);
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.Text().contains(QStringLiteral("Vardex3_62.exe не найдена")));
  form.Confirm();  // OK now only closes the window
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(closed, 0);

  PutArchive(QStringLiteral("Vardex2_13.exe"));
  startSucceeds = false;
  form.Notify(Notice(2, 0x21));
  form.Confirm();
  EXPECT_EQ(started.size(), 1u);
  EXPECT_EQ(closed, 0);
  EXPECT_TRUE(form.Text().contains(QStringLiteral("Не удалось запустить")));
}

TEST_F(InfoFormTest, FirmwareWithoutArchiveSaysSoAndKeepsRunning) {
  form.Notify(Notice(5, 0x08));
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.Text(),
            QStringLiteral("Для вашей версии нет подходящей программы. Vardex продолжит работу."));
  form.Confirm();
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(closed, 0);
}

TEST_F(InfoFormTest, NewerFirmwareOffersTheLinkAndOkEndsTheProgram) {
  form.Notify(Notice(6, 0x01));
  EXPECT_EQ(form.Heading(), QStringLiteral("Вы используете версию системы выше, чем 05.34"));
  EXPECT_EQ(form.Text(), QStringLiteral("Обновите Vardex. Программа будет закрыта"));
  EXPECT_TRUE(form.LinkShown());
  form.Confirm();
  EXPECT_TRUE(started.empty());
  EXPECT_EQ(closed, 1);
}

TEST_F(InfoFormTest, AnsweredNoticeIsNotShownAgainButAnotherOneIs) {
  form.Notify(Notice(5, 0x08));
  form.reject();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(closed, 0);
  form.Notify(Notice(5, 0x08));  // the module repeats its version
  EXPECT_FALSE(form.isVisible());
  form.Notify(ValidatorVersionNotice());
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.Heading().isEmpty());
}

}  // namespace
