#include "binding/ui/page_builder.h"

#include <QGridLayout>
#include <QWidget>

#include "binding/row_binding.h"
#include "binding/ui/coding_hooks.h"
#include "binding/ui/vd_check_box.h"
#include "binding/ui/vd_data.h"
#include "binding/ui/vd_frame.h"
#include "binding/ui/vd_label.h"
#include "binding/ui/vd_labeled_memo.h"
#include "binding/ui/vd_radio_group.h"
#include "binding/ui/vd_track_bar.h"

namespace {

// A section's grid: setting names, controls, values.
enum TColumn { kNameColumn, kControlColumn, kValueColumn, kColumnCount };

constexpr int kMemoLines = 3;
// Wide ranges get a tick every few positions rather than a solid bar of ticks.
constexpr int kMaxTicks = 20;

class TSectionBuilder {
 public:
  TSectionBuilder(TVDFrame& frame) : frame_(frame) {}

  void OpenSection(const QString& caption) {
    panel_ = new QWidget(&frame_);
    grid_ = new QGridLayout(panel_);
    grid_->setContentsMargins(12, 6, 12, 8);
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(4);
    grid_->setColumnStretch(kNameColumn, 2);
    grid_->setColumnStretch(kControlColumn, 3);
    frame_.AddPanel(caption, panel_);
  }

  void Add(const TControlRow& row, const QString& name) {
    if (panel_ == nullptr) OpenSection({});
    switch (row.Kind) {
      case ckCheckBox:
        Finish(row, name, AddCheckBox(row));
        return;
      case ckRadioGroup:
        Finish(row, name, AddRadioGroup(row));
        return;
      case ckTrackBar:
        Finish(row, name, AddTrackBar(row));
        return;
      case ckMemo:
        Finish(row, name, AddMemo(row, new TVDMemo(panel_)));
        return;
      case ckLabeledMemo:
        Finish(row, name, AddLabeledMemo(row));
        return;
      case ckLabel:
        Finish(row, name, AddLabel(row));
        return;
      case ckData:
        Finish(row, name, new TVDData(panel_));
        return;
      default:
        return;
    }
  }

 private:
  template <class T>
  void Finish(const TControlRow& row, const QString& name, T* control) {
    control->setObjectName(name);
    BindRow(row, frame_.LanAddr(), control->ComponentData());
    if constexpr (std::is_base_of_v<QWidget, T>) {
      if (*row.Hint != '\0') control->setToolTip(QString::fromUtf8(row.Hint));
    }
    if (row.Hidden) control->SetHiddenByTable(true);
    if (row.Disabled) control->SetDisabled(drTable, true);
    control->SetCarLimits(row.Firmware, row.Boards);
    frame_.AddBoundControl(control, control);
  }

  int NextRow() const { return grid_->rowCount(); }

  void AddWide(QWidget* widget) { grid_->addWidget(widget, NextRow(), 0, 1, kColumnCount); }

  TVDCheckBox* AddCheckBox(const TControlRow& row) {
    auto* box = new TVDCheckBox(panel_);
    box->setText(QString::fromUtf8(row.Caption));
    box->SetDefaultValue(row.Default != 0);
    box->setChecked(row.Default != 0);
    AddWide(box);
    return box;
  }

  TVDRadioGroup* AddRadioGroup(const TControlRow& row) {
    auto* group = new TVDRadioGroup(panel_);
    group->SetCaption(QString::fromUtf8(row.Caption));
    QStringList items;
    for (const TRadioItem& item : row.Items) items.append(QString::fromUtf8(item.Text));
    group->SetItems(items);
    group->SetColumns(row.Columns);
    group->SetDefaultValue(row.Default);
    group->SetItemIndex(row.Default);
    if (row.Coding != nullptr) AttachCoding(*group, *row.Coding);
    AddWide(group);
    return group;
  }

  TVDTrackBar* AddTrackBar(const TControlRow& row) {
    auto* bar = new TVDTrackBar(panel_);
    const TRange range = TrackRange(row);
    bar->setRange(range.Min, range.Max);
    bar->setTickInterval(std::max(1, (range.Max - range.Min) / kMaxTicks));
    bar->ExtLabel()->setText(QString::fromUtf8(row.Caption));
    bar->SetDefaultValue(row.Default);
    bar->SetPosition(row.Default);
    if (row.Coding != nullptr) AttachCoding(*bar, *row.Coding);
    const int gridRow = NextRow();
    grid_->addWidget(bar->ExtLabel(), gridRow, kNameColumn, Qt::AlignVCenter);
    grid_->addWidget(bar, gridRow, kControlColumn);
    grid_->addWidget(bar->ValueLabel(), gridRow, kValueColumn, Qt::AlignVCenter);
    return bar;
  }

  template <class T>
  T* AddMemo(const TControlRow& row, T* memo) {
    const QString text = QString::fromUtf8(row.DefaultText);
    memo->SetDefaultValue(text);
    memo->SetText(text);
    memo->setFixedHeight(memo->fontMetrics().lineSpacing() * kMemoLines + 2 * memo->frameWidth() +
                         8);
    AddWide(memo);
    return memo;
  }

  TVDLabeledMemo* AddLabeledMemo(const TControlRow& row) {
    auto* memo = new TVDLabeledMemo(panel_);
    memo->ExtLabel()->setText(QString::fromUtf8(row.Caption));
    AddWide(memo->ExtLabel());
    return AddMemo(row, memo);
  }

  TVDLabel* AddLabel(const TControlRow& row) {
    auto* label = new TVDLabel(panel_);
    label->setText(QString::fromUtf8(row.Caption));
    AddWide(label);
    return label;
  }

  TVDFrame& frame_;
  QWidget* panel_ = nullptr;
  QGridLayout* grid_ = nullptr;
};

}  // namespace

void BuildPage(TVDFrame& frame, std::span<const TControlRow> rows) {
  const QStringList names = RowControlNames(rows);
  TSectionBuilder builder(frame);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].Kind == ckHeading) {
      builder.OpenSection(QString::fromUtf8(rows[i].Caption));
    } else {
      builder.Add(rows[i], names[static_cast<qsizetype>(i)]);
    }
  }
}
