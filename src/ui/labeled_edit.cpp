#include "labeled_edit.h"

#include <QBoxLayout>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

TLabeledEdit::TLabeledEdit(QWidget* parent) : QWidget(parent), label_(new QLabel(this)), edit_(new QLineEdit(this))
{
    auto* layout = new QBoxLayout(QBoxLayout::LeftToRight, this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label_);
    layout->addWidget(edit_, 1);
    label_->setBuddy(edit_);
    setFocusProxy(edit_);
    // Lets the window's tab order place the whole control; the edit takes the focus.
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textChanged, this, &TLabeledEdit::textChanged);
}

QString TLabeledEdit::text() const { return edit_->text(); }

void TLabeledEdit::setText(const QString& text) { edit_->setText(text); }

QString TLabeledEdit::labelText() const { return label_->text(); }

void TLabeledEdit::setLabelText(const QString& text) { label_->setText(text); }

bool TLabeledEdit::isReadOnly() const { return edit_->isReadOnly(); }

// A read-only edit shows its value without the frame of an entry field; its background
// stays the colour the program gives it.
void TLabeledEdit::setReadOnly(bool readOnly)
{
    edit_->setReadOnly(readOnly);
    edit_->setFrame(!readOnly);
}

int TLabeledEdit::maxLength() const { return edit_->maxLength(); }

void TLabeledEdit::setMaxLength(int length) { edit_->setMaxLength(length); }

bool TLabeledEdit::labelAbove() const
{
    return static_cast<QBoxLayout*>(layout())->direction() == QBoxLayout::TopToBottom;
}

void TLabeledEdit::setLabelAbove(bool above)
{
    static_cast<QBoxLayout*>(layout())->setDirection(above ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
}

int TLabeledEdit::labelWidth() const { return label_->minimumWidth(); }

void TLabeledEdit::setLabelWidth(int width) { label_->setMinimumWidth(width); }

// Leaving the field means the focus going to another control of the window; a dialog or
// menu that takes the focus for a while is no exit.
bool TLabeledEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            emit exited();
    }
    return QWidget::eventFilter(watched, event);
}
