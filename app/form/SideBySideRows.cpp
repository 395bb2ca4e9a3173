#include "app/form/SideBySideRows.h"

#include <QBoxLayout>
#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace vxo {

SideBySideRows::SideBySideRows(QWidget* page, QLayout* first, QLayout* second)
    : QObject(page), page_(page), first_(first), second_(second), box_(new QWidget(page)),
      rows_(new QBoxLayout(QBoxLayout::TopToBottom, box_))
{
    auto* layout = qobject_cast<QBoxLayout*>(page_->layout());
    const int at = layout->indexOf(first_);
    layout->removeItem(first_);
    layout->removeItem(second_);
    box_->setObjectName(first_->objectName() + QStringLiteral("Rows"));
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->addLayout(first_);
    rows_->addLayout(second_);
    layout->insertWidget(at, box_);
    box_->setMinimumWidth(std::max(first_->minimumSize().width(), second_->minimumSize().width()));
    page_->installEventFilter(this);
    arrange();
}

void SideBySideRows::arrange()
{
    const QMargins margins = page_->layout()->contentsMargins();
    const int room = page_->width() - margins.left() - margins.right();
    const int needed = first_->minimumSize().width() + std::max(0, rows_->spacing()) + second_->minimumSize().width();
    const QBoxLayout::Direction direction = needed <= room ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    // Decided by the width alone: the rows' new place changes no width.
    if (rows_->direction() != direction)
        rows_->setDirection(direction);
}

bool SideBySideRows::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == page_ && event->type() == QEvent::Resize)
        arrange();
    return QObject::eventFilter(watched, event);
}

} // namespace vxo
