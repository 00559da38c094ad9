// The game window's list boxes: rows of text with tab stops and a fixed row height, each row
// carrying its item data, filled from the core's rows.
#pragma once

#include <QListWidget>
#include <QStyledItemDelegate>
#include <vector>

#include "model/side_lists.h"

namespace zarnath {

// Draws a row's text from the left with its tab characters expanded to the given stops.
class RowDelegate : public QStyledItemDelegate {
 public:
  RowDelegate(QObject* parent, int rowHeight, std::vector<qreal> tabStops = {})
      : QStyledItemDelegate(parent), rowHeight_(rowHeight), tabs_(std::move(tabStops)) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int rowHeight_;
  std::vector<qreal> tabs_;
};

// A list box of the game window in its bold 8.25-point font, in `text` on `back`.
QListWidget* NewGameList(QWidget* parent, const QColor& text, const QColor& back, int rowHeight,
                         std::vector<qreal> tabStops = {});
// Replaces the rows (text and item data); no row is selected afterwards.
void FillRows(QListWidget* list, const std::vector<ListRow>& rows);
// The item data of a row (0 for a row that is not there).
int RowData(const QListWidget* list, int row);
void SetListColours(QWidget* list, const QColor& text, const QColor& back);

}  // namespace zarnath
