#pragma once

#include <QColor>
#include <QWidget>

// The status lamp: a filled circle in its colour.
class TLed : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor colour READ colour WRITE setColour)

public:
    explicit TLed(QWidget* parent = nullptr);

    QColor colour() const { return colour_; }
    void setColour(const QColor& colour);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_{Qt::red};
};
