#include "radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(QWidget* parent) :
    QGroupBox(parent), column_(new QVBoxLayout(this)), buttons_(new QButtonGroup(this))
{
    column_->setContentsMargins(8, 2, 8, 2);
    column_->setSpacing(0);
    connect(buttons_, &QButtonGroup::idToggled, this, &TRadioGroup::OnButtonToggled);
}

// The buttons that stay keep their place in the tab order; new ones follow the last.
void TRadioGroup::setItems(const QStringList& items)
{
    QList<QAbstractButton*> kept = buttons_->buttons();
    while (kept.size() > items.size()) {
        QAbstractButton* surplus = kept.takeLast();
        buttons_->removeButton(surplus);
        delete surplus;
    }
    items_ = items;
    for (int i = 0; i < items_.size(); ++i) {
        if (i < kept.size()) {
            kept[i]->setText(items_[i]);
            continue;
        }
        auto* button = new QRadioButton(items_[i], this);
        if (i > 0)
            setTabOrder(buttons_->button(i - 1), button);
        buttons_->addButton(button, i);
        column_->addWidget(button);
    }
    const int previous = index_;
    index_ = previous < items_.size() ? previous : -1;
    CheckButton(index_);
    if (index_ != previous)
        emit itemIndexChanged(index_);
}

void TRadioGroup::setItemIndex(int index)
{
    if (index < -1 || index >= items_.size())
        index = -1;
    if (index == index_)
        return;
    index_ = index;
    CheckButton(index);
    emit itemIndexChanged(index);
}

QRadioButton* TRadioGroup::button(int index) const { return qobject_cast<QRadioButton*>(buttons_->button(index)); }

// Exclusive buttons cannot all be unchecked, so exclusivity pauses while clearing.
void TRadioGroup::CheckButton(int index)
{
    if (index >= 0) {
        button(index)->setChecked(true);
        return;
    }
    buttons_->setExclusive(false);
    for (QAbstractButton* each : buttons_->buttons())
        each->setChecked(false);
    buttons_->setExclusive(true);
}

void TRadioGroup::OnButtonToggled(int id, bool checked)
{
    if (!checked || id == index_)
        return;
    index_ = id;
    emit itemIndexChanged(id);
}
