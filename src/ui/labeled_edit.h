#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// A line edit with its caption label attached, as one control: the label sits left of
// the edit, or above it with labelAbove. textChanged comes for the user's typing and for
// setText alike, and only when the text really changes; exited comes when the keyboard
// focus moves from the edit to another control of its window (a dialog or menu that takes
// it for a while is no exit), which is where a field checks its entry. Disabling the control
// greys label and edit together; the focus goes straight to the edit.
class TLabeledEdit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString labelText READ labelText WRITE setLabelText)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged USER true)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(bool labelAbove READ labelAbove WRITE setLabelAbove)
    Q_PROPERTY(int labelWidth READ labelWidth WRITE setLabelWidth)

public:
    explicit TLabeledEdit(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    QString labelText() const;
    void setLabelText(const QString& text);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    int maxLength() const;
    void setMaxLength(int length);
    bool labelAbove() const;
    void setLabelAbove(bool above);
    // The least width of the label, so that the edits of a column line up.
    int labelWidth() const;
    void setLabelWidth(int width);

    QLineEdit* edit() const { return edit_; }
    QLabel* label() const { return label_; }

signals:
    void textChanged(const QString& text);
    void exited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* label_;
    QLineEdit* edit_;
};
