#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutForm;
}

// The about window, also the start-up splash: our picture with the version text on a
// white ground. A click anywhere ends it with Accepted.
class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);
    ~TAboutForm() override;

    Ui::TAboutForm* Controls() const { return ui.get(); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::unique_ptr<Ui::TAboutForm> ui;
};
