#include "binding/headless_binder.h"

#include <algorithm>

#include "binding/comp_error.h"
#include "binding/row_binding.h"
#include "binding/value_coding.h"
#include "memory/base_device_memory_item.h"

std::vector<TBoundCell> BoundCells(std::span<const TControlRow> rows, uint8_t pageLanAddr) {
  const QStringList names = RowControlNames(rows);
  std::vector<TBoundCell> cells;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TControlRow& row = rows[i];
    if (!IsBound(row.Kind)) continue;
    TComponentData data;
    BindRow(row, pageLanAddr, data);
    cells.push_back({.Name = names[static_cast<qsizetype>(i)],
                     .Kind = row.Kind,
                     .LanAddr = data.LanAddr(),
                     .MemID = data.MemID(),
                     .Addr = data.Addr(),
                     .Size = data.GetSize(),
                     .ReadOnlyAddr = data.ReadOnlyAddr(),
                     .ReadOnlyBit = data.ReadOnlyBit()});
  }
  return cells;
}

std::vector<TByteRun> BoundRuns(std::span<const TBoundCell> cells, uint8_t lanAddr,
                                TMemoryLocation memID, bool withGuards) {
  std::vector<int> bytes;
  for (const TBoundCell& cell : cells) {
    if (cell.LanAddr != lanAddr || cell.MemID != memID) continue;
    for (int i = 0; i < cell.Size; ++i) bytes.push_back(cell.Addr + i);
    if (withGuards && cell.ReadOnlyAddr != 0) bytes.push_back(cell.ReadOnlyAddr);
  }
  std::sort(bytes.begin(), bytes.end());
  bytes.erase(std::unique(bytes.begin(), bytes.end()), bytes.end());
  std::vector<TByteRun> runs;
  for (const int byte : bytes) {
    if (!runs.empty() && runs.back().Start + runs.back().Count == byte) {
      ++runs.back().Count;
    } else {
      runs.push_back({byte, 1});
    }
  }
  return runs;
}

void THeadlessControl::Load() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return;
  const TComponentData& data = ComponentData();
  WrapComp(name_, caption_, [&] {
    // Reading marks the bytes known, as a control that shows them would.
    if (data.IsConnected()) data.IsReadOnly();
    for (int i = 0; i < data.GetSize(); ++i) mem->GetByte(data.Addr() + i);
  });
}

void THeadlessControl::Store() {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return;
  const TComponentData& data = ComponentData();
  WrapComp(name_, caption_, [&] {
    for (int i = 0; i < data.GetSize(); ++i) {
      mem->SetByte(data.Addr() + i, mem->GetByte(data.Addr() + i));
    }
  });
}

QString THeadlessControl::GetValueText() const {
  TBaseDeviceMemoryItem* mem = GetMem();
  if (mem == nullptr) return {};
  const TComponentData& data = ComponentData();
  if (data.DataType() == stString) return LoadString(*mem, data);
  if (IsIntegerType(data.DataType())) return QString::number(LoadValue(*mem, data));
  return {};
}

THeadlessPage::THeadlessPage(std::span<const TControlRow> rows, uint8_t pageLanAddr) {
  const QStringList names = RowControlNames(rows);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TControlRow& row = rows[i];
    if (!IsBound(row.Kind)) continue;
    auto control = std::make_unique<THeadlessControl>(names[static_cast<qsizetype>(i)],
                                                      QString::fromUtf8(row.Caption));
    BindRow(row, pageLanAddr, control->ComponentData());
    byName_.insert(control->ControlName(), control.get());
    controls_.push_back(std::move(control));
  }
}

std::vector<IBoundControl*> THeadlessPage::BoundControls() const {
  std::vector<IBoundControl*> controls;
  for (const auto& control : controls_) controls.push_back(control.get());
  return controls;
}

THeadlessControl* THeadlessPage::Find(const QString& name) const {
  return byName_.value(name, nullptr);
}
