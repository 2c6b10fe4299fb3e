#include "qt/ColorRef.h"
#include "dialogs/ColorListBox.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

constexpr int kColourRole = Qt::UserRole + 1;

QColor Inverse(const QColor& c) { return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue()); }

// Draws one line of the list by its colour.
class ColourLineDelegate : public QStyledItemDelegate {
public:
  ColourLineDelegate(int lineHeight, QObject* parent)
      : QStyledItemDelegate(parent), lineHeight_(lineHeight) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), lineHeight_);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int32_t colour = index.data(kColourRole).toInt();
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? ColorFromRef(colour) : palette.color(QPalette::Base));
    QColor pen = CColorListBox::TextColour(colour, selected, palette);
    if (!(option.state & QStyle::State_Enabled))
      pen = palette.color(QPalette::Disabled, QPalette::Text);
    painter->setPen(pen);
    painter->setFont(option.font);
    const QRect text = option.rect.adjusted(2, 0, -2, 0);
    painter->drawText(text,
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs,
                      index.data(Qt::DisplayRole).toString());
    if (option.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(option);
      focus.rect = option.rect;
      focus.backgroundColor = selected ? ColorFromRef(colour) : palette.color(QPalette::Base);
      QApplication::style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter);
    }
    painter->restore();
  }

private:
  int lineHeight_;
};

} // namespace

CColorListBox::CColorListBox(QWidget* parent) : QListWidget(parent) {
  // The height of a check mark, at least one line of the font.
  const int height =
      std::max(style()->pixelMetric(QStyle::PM_IndicatorHeight), fontMetrics().height());
  setItemDelegate(new ColourLineDelegate(height, this));
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
}

QColor CColorListBox::TextColour(int32_t colour, bool selected, const QPalette& palette) {
  if (selected) return Inverse(ColorFromRef(colour));
  return colour == 0 ? palette.color(QPalette::Text) : ColorFromRef(colour);
}

int CColorListBox::AddLine(const QString& text, int32_t colour) {
  return InsertLine(count(), text, colour);
}

int CColorListBox::InsertLine(int index, const QString& text, int32_t colour) {
  if (index < 0 || index > count()) index = count();
  auto* item = new QListWidgetItem(text);
  item->setData(kColourRole, colour);
  insertItem(index, item);
  return index;
}

void CColorListBox::SetLineColour(int index, int32_t colour) {
  QListWidgetItem* line = item(index);
  if (!line) return;
  line->setData(kColourRole, colour);
  viewport()->repaint();
}

int32_t CColorListBox::LineColour(int index) const {
  const QListWidgetItem* line = item(index);
  return line ? line->data(kColourRole).toInt() : 0;
}
