#include "window/list_rows.h"
#include "view/widget_values.h"

#include <QPainter>
#include <QTextOption>

namespace zarnath {

void RowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const {
  painter->save();
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& pal = option.palette;
  painter->fillRect(option.rect, selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
  painter->setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
  painter->setFont(option.font);
  QTextOption text(Qt::AlignLeft | Qt::AlignVCenter);
  text.setWrapMode(QTextOption::NoWrap);
  QList<QTextOption::Tab> tabs;
  for (qreal stop : tabs_) tabs.append(QTextOption::Tab(stop, QTextOption::LeftTab));
  if (!tabs.isEmpty()) text.setTabs(tabs);
  painter->drawText(QRectF(option.rect).adjusted(2, 0, 0, 0), index.data(Qt::DisplayRole).toString(), text);
  painter->restore();
}

QSize RowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return QSize(QStyledItemDelegate::sizeHint(option, index).width(), rowHeight_);
}

void SetListColours(QWidget* list, const QColor& text, const QColor& back) {
  QPalette pal = list->palette();
  pal.setColor(QPalette::Text, text);
  pal.setColor(QPalette::WindowText, text);
  pal.setColor(QPalette::Base, back);
  pal.setColor(QPalette::Window, back);
  pal.setColor(QPalette::Highlight, text);
  pal.setColor(QPalette::HighlightedText, back);
  list->setPalette(pal);
}

QListWidget* NewGameList(QWidget* parent, const QColor& text, const QColor& back, int rowHeight,
                         std::vector<qreal> tabStops) {
  auto* list = new QListWidget(parent);
  QFont f(QStringLiteral("Arial"));
  f.setPointSizeF(8.25);
  f.setBold(true);
  list->setFont(f);
  list->setFrameShape(QFrame::NoFrame);
  list->setUniformItemSizes(true);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setFocusPolicy(Qt::NoFocus);
  list->setItemDelegate(new RowDelegate(list, rowHeight, std::move(tabStops)));
  SetListColours(list, text, back);
  list->hide();
  return list;
}

void FillRows(QListWidget* list, const std::vector<ListRow>& rows) {
  list->clear();
  for (const ListRow& r : rows) {
    auto* item = new QListWidgetItem(Latin1(r.text), list);
    item->setData(Qt::UserRole, r.data);
  }
  list->setCurrentRow(-1);
  list->clearSelection();
}

int RowData(const QListWidget* list, int row) {
  const QListWidgetItem* item = row >= 0 && row < list->count() ? list->item(row) : nullptr;
  return item ? item->data(Qt::UserRole).toInt() : 0;
}

}  // namespace zarnath
