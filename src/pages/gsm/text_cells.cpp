#include "pages/gsm/text_cells.h"

#include <QLineEdit>

#include "binding/ui/vd_data.h"
#include "pages/gsm/gsm_codings.h"

TTextCells::TTextCells(QLineEdit& edit, std::vector<TVDData*> cells, TOptions options,
                       QObject* parent)
    : QObject(parent), edit_(edit), cells_(std::move(cells)), options_(std::move(options)) {
  int offset = 0;
  for (TVDData* cell : cells_) {
    Attach(*cell, offset);
    offset += cell->GetMaxVal();
  }
  bytes_.assign(static_cast<std::size_t>(offset), 0);
  edit_.setMaxLength(offset);
  if (options_.Default) edit_.setText(*options_.Default);
  connect(&edit_, &QLineEdit::textEdited, this, &TTextCells::StoreEdited);
}

void TTextCells::Attach(TVDData& cell, int offset) {
  cell.OnLoad = [this, offset](QObject&, uint8_t byte, int index) {
    bytes_[static_cast<std::size_t>(offset + index)] = byte;
    ShowBytes();
  };
  cell.OnStore = [this, offset](QObject&, uint8_t& byte, int index) {
    byte = CellByte(edit_.text(), offset + index);
  };
  cell.OnAsString = [this](const QObject&, QString& text) { text = edit_.text(); };
  if (options_.Default) {
    cell.OnSetDefaultState = [this, offset](QObject&, uint8_t& byte, int index) {
      edit_.setText(*options_.Default);
      byte = CellByte(*options_.Default, offset + index);
    };
  }
}

void TTextCells::ShowBytes() {
  edit_.setText(CellText(bytes_, options_.EmptyWhenFirstZero));
}

void TTextCells::Enter(const QString& text) {
  edit_.setText(text);
  StoreEdited();
}

void TTextCells::StoreEdited() {
  for (TVDData* cell : cells_) cell->StoreEdited();
}
