#pragma once

#include <QHash>
#include <QString>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "binding/bound_control_base.h"
#include "binding/control_table.h"

// The bytes one row binds: its cell and its availability bit.
struct TBoundCell {
  QString Name;
  TControlKind Kind = ckNone;
  uint8_t LanAddr = 0;
  TMemoryLocation MemID = mlInt;
  int Addr = 0;
  int Size = 0;
  int ReadOnlyAddr = 0;  // 0: no guard
  TStartBit ReadOnlyBit = sb0;
};

// One contiguous run of bytes.
struct TByteRun {
  int Start = 0;
  int Count = 0;
  friend bool operator==(const TByteRun&, const TByteRun&) = default;
};

// The cells of a table's bound rows, in table order.
std::vector<TBoundCell> BoundCells(std::span<const TControlRow> rows, uint8_t pageLanAddr);

// The bytes the cells bind in one area, merged into ascending runs. Guard bytes count when
// the area is read over the bus, as read plans include them then.
std::vector<TByteRun> BoundRuns(std::span<const TBoundCell> cells, uint8_t lanAddr,
                                TMemoryLocation memID, bool withGuards);

// A row bound without a widget, for the command line and tests: it reads its cell and guard
// like its control would, and on a store writes its bytes back unchanged, so that a forced
// write (a file) carries exactly the bytes a page binds.
class THeadlessControl : public TBoundControlBase {
 public:
  THeadlessControl(QString name, QString caption)
      : name_(std::move(name)), caption_(std::move(caption)) {}

  QString ControlName() const override { return name_; }
  bool IsDefault() const override { return true; }
  void Load() override;
  void Store() override;
  QString GetCaption() const override { return caption_; }
  // Integer codings in decimal, texts as they read; empty while unbound.
  QString GetValueText() const override;
  void SetDefault() override {}
  void Synchronize(IBoundControl*, int) override {}

 private:
  QString name_;
  QString caption_;
};

// A table bound without widgets: the enumerable controls a registry binds to its areas.
class THeadlessPage {
 public:
  THeadlessPage(std::span<const TControlRow> rows, uint8_t pageLanAddr);

  std::vector<IBoundControl*> BoundControls() const;
  THeadlessControl* Find(const QString& name) const;

 private:
  std::vector<std::unique_ptr<THeadlessControl>> controls_;
  // Names are unique within a table; the settings list looks every one of them up.
  QHash<QString, THeadlessControl*> byName_;
};
