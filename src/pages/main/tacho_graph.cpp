#include "pages/main/tacho_graph.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "text/file_save.h"

namespace {

constexpr double kShownSeconds = 21;
constexpr double kKeptSeconds = 30;
constexpr int kSpeedTop = 2000;
constexpr int kSpeedHeadroom = 500;

}  // namespace

TMainGraph::TMainGraph(std::function<void(bool on)> report, QWidget* parent)
    : QDialog(parent), report_(std::move(report)) {
  setObjectName(QStringLiteral("MainGraph"));
  setWindowTitle(QStringLiteral("Данные тахометра"));
  resize(640, 420);
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("Об/мин:")));
  reading_ = new QLabel;
  reading_->setObjectName(QStringLiteral("lbRpm"));
  top->addWidget(reading_);
  top->addStretch();
  auto* pause = new QPushButton(QStringLiteral("Пауза"));
  pause->setCheckable(true);
  connect(pause, &QPushButton::toggled, this, [this](bool on) { paused_ = on; });
  auto* picture = new QPushButton(QStringLiteral("Сохранить рисунок..."));
  connect(picture, &QPushButton::clicked, this, &TMainGraph::SavePicture);
  auto* csv = new QPushButton(QStringLiteral("Сохранить CSV..."));
  connect(csv, &QPushButton::clicked, this, &TMainGraph::SaveCsv);
  for (QPushButton* button : {pause, picture, csv}) top->addWidget(button);
  layout->addLayout(top);

  series_ = new QLineSeries;
  series_->setName(QStringLiteral("Обороты"));
  auto* chart = new QChart;
  chart->setTitle(QStringLiteral("Обороты"));
  chart->legend()->hide();
  chart->addSeries(series_);
  time_ = new QValueAxis;
  time_->setTitleText(QStringLiteral("с"));
  time_->setLabelFormat(QStringLiteral("%d"));
  speed_ = new QValueAxis;
  speed_->setTitleText(QStringLiteral("об/мин"));
  speed_->setLabelFormat(QStringLiteral("%d"));
  chart->addAxis(time_, Qt::AlignBottom);
  chart->addAxis(speed_, Qt::AlignLeft);
  series_->attachAxis(time_);
  series_->attachAxis(speed_);
  view_ = new QChartView(chart);
  view_->setRenderHint(QPainter::Antialiasing);
  layout->addWidget(view_);
  Redraw();
}

void TMainGraph::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  samples_.clear();
  clock_.start();
  reading_->clear();
  Redraw();
  if (report_) report_(true);
}

void TMainGraph::hideEvent(QHideEvent* event) {
  if (report_) report_(false);
  QDialog::hideEvent(event);
}

void TMainGraph::AddReport(uint16_t value) {
  if (!clock_.isValid()) clock_.start();
  const std::optional<int> rpm = scale_.ReportRpm(value);
  reading_->setText(rpm ? QString::number(*rpm) : QStringLiteral("Слишком низкие обороты"));
  if (!rpm || paused_) return;
  const double now = clock_.elapsed() / 1000.0;
  samples_.push_back({now, *rpm});
  while (!samples_.empty() && samples_.front().Seconds < now - kKeptSeconds) samples_.pop_front();
  Redraw();
}

QString TMainGraph::Reading() const {
  return reading_->text();
}

int TMainGraph::PointCount() const {
  return static_cast<int>(samples_.size());
}

void TMainGraph::Redraw() {
  QList<QPointF> points;
  int top = kSpeedTop;
  for (const TSample& sample : samples_) {
    points.append({sample.Seconds, double(sample.Rpm)});
    top = std::max(top, sample.Rpm + kSpeedHeadroom);
  }
  series_->replace(points);
  const double newest = samples_.empty() ? 0 : samples_.back().Seconds;
  const double end = std::max(kShownSeconds, newest);
  time_->setRange(end - kShownSeconds, end);
  speed_->setRange(0, top);
}

QString TMainGraph::Csv() const {
  QString text = QStringLiteral("с;об/мин\n");
  for (const TSample& sample : samples_) {
    text += QString::asprintf("%.3f;%d\n", sample.Seconds, sample.Rpm);
  }
  return text;
}

void TMainGraph::SavePicture() {
  const QString name = QFileDialog::getSaveFileName(this, {}, {}, QStringLiteral("PNG (*.png)"));
  if (name.isEmpty()) return;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  view_->grab().save(&buffer, "PNG");
  Save(name, png);
}

void TMainGraph::SaveCsv() {
  const QString name = QFileDialog::getSaveFileName(this, {}, {}, QStringLiteral("CSV (*.csv)"));
  if (!name.isEmpty()) Save(name, Csv().toUtf8());
}

void TMainGraph::Save(const QString& name, const QByteArray& bytes) {
  const TSaveResult saved = SaveFileBytes(name, bytes);
  if (!saved.Ok()) QMessageBox::warning(this, windowTitle(), saved.Error);
}
