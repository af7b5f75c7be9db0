#include "led.h"

#include <QPainter>

TLed::TLed(QWidget* parent) : QWidget(parent) { setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed); }

void TLed::setColour(const QColor& colour)
{
    colour_ = colour;
    update();
}

QSize TLed::sizeHint() const { return {18, 18}; }

void TLed::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(colour_);
    const int side = qMin(width(), height()) - 2;
    painter.drawEllipse(QRectF(1, 1, side, side));
}
