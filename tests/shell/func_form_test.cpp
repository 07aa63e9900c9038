#include "shell/func_form.h"

#include <gtest/gtest.h>

#include <QCheckBox>

#include "test_support.h"

namespace {

TEST(FuncForm, RoundTripsTheOptionsAndClearsTheLayoutRequest) {
  TOptionsData options;
  options.SaveLayout = false;
  options.PortName = QStringLiteral("sim");
  options.Colors[24] = QColor(10, 20, 30);
  TFuncForm form;
  form.Fill(options);
  EXPECT_FALSE(form.Check(QStringLiteral("cbSaveLayout"))->isChecked());
  EXPECT_TRUE(form.Check(QStringLiteral("cbVerifyWrites"))->isChecked());
  EXPECT_EQ(form.ColorOf(QStringLiteral("cbColor24")), QColor(10, 20, 30));

  form.SetColorOf(QStringLiteral("cbColor0"), QColor(1, 2, 3));
  form.Check(QStringLiteral("cbRestoreLayout"))->setChecked(true);
  form.Check(QStringLiteral("cbDataLost"))->setChecked(false);
  form.Check(QStringLiteral("cbVerifyWrites"))->setChecked(false);
  TOptionsData result = options;
  form.Apply(result);
  EXPECT_EQ(result.Background(), QColor(1, 2, 3));
  EXPECT_TRUE(result.RestoreDefaultLayout);
  EXPECT_FALSE(form.Check(QStringLiteral("cbRestoreLayout"))->isChecked());
  EXPECT_FALSE(result.DataLostNotification);
  EXPECT_FALSE(result.VerifyWrites);
  EXPECT_EQ(result.PortName, QStringLiteral("sim"));
  EXPECT_EQ(result.Colors[24], QColor(10, 20, 30));
}

}  // namespace
