#include "app/form/PageChooserCorner.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

namespace vxo {

namespace {

// Room around the corner's row: the chooser clear of the widget's right edge
// and centred on the tabs' height.
constexpr int kCornerMargin = 2;

} // namespace

PageChooserCorner::PageChooserCorner(QTabWidget* tabs, QLabel* title, QComboBox* chooser)
    : QObject(tabs), tabs_(tabs), title_(title), chooser_(chooser), corner_(new QWidget(tabs))
{
    auto* row = new QHBoxLayout(corner_);
    row->setContentsMargins(kCornerMargin, kCornerMargin, kCornerMargin, kCornerMargin);
    row->addWidget(title_);
    row->addWidget(chooser_);
    tabs_->setCornerWidget(corner_, Qt::TopRightCorner);
    tabs_->installEventFilter(this);
    corner_->installEventFilter(this);
    showTitleWhereItFits();
}

void PageChooserCorner::showTitleWhereItFits()
{
    const QMargins margins = corner_->layout()->contentsMargins();
    const int beside = tabs_->width() - tabs_->tabBar()->sizeHint().width();
    const int needed = margins.left() + title_->sizeHint().width() + corner_->layout()->spacing() +
                       chooser_->sizeHint().width() + margins.right();
    const bool fits = needed <= beside;
    if (title_->isHidden() == fits)
        title_->setVisible(fits);
}

bool PageChooserCorner::eventFilter(QObject* watched, QEvent* event)
{
    // A narrower dock, or a longer title, may leave no room for the title.
    if ((watched == tabs_ && event->type() == QEvent::Resize) ||
        (watched == corner_ && event->type() == QEvent::LayoutRequest))
        showTitleWhereItFits();
    return QObject::eventFilter(watched, event);
}

} // namespace vxo
