#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TFileCommentForm;
class TOpenParametersForm;
}  // namespace Ui

// Asks for the comment that a parameter file keeps. OK closes it; closing it in any other
// way keeps what was typed as well. The comment takes at most 512 characters as the file
// stores them, a line break counting two.
class TFileCommentForm : public QDialog {
    Q_OBJECT

public:
    explicit TFileCommentForm(QWidget* parent);
    ~TFileCommentForm() override;

    Ui::TFileCommentForm* Controls() const { return ui.get(); }
    QString Comment() const;

private:
    void KeepCommentWithinLimit();

    std::unique_ptr<Ui::TFileCommentForm> ui;
};

// Shows what was saved with a parameter file and what loading it changes, and asks
// whether to load it: Yes closes with Accepted, No with DialogAbort.
class TOpenParametersForm : public QDialog {
    Q_OBJECT

public:
    explicit TOpenParametersForm(QWidget* parent);
    ~TOpenParametersForm() override;

    Ui::TOpenParametersForm* Controls() const { return ui.get(); }

private:
    std::unique_ptr<Ui::TOpenParametersForm> ui;
};
