#pragma once

#include <QDialog>
#include <memory>

class TSSICom;

namespace Ui {
class TDisconnectWarningForm;
}

// Offered when the sensor went away with edits not yet in its EEPROM. Update writes the
// whole set into the sensor, once it answers again, and commits it (Accepted); Abort
// (also Escape) leaves the edits pending (DialogAbort). It has no close button.
class TDisconnectWarningForm : public QDialog {
    Q_OBJECT

public:
    TDisconnectWarningForm(TSSICom& link, QWidget* parent = nullptr);
    ~TDisconnectWarningForm() override;

    void UpdateButtonClick();

    Ui::TDisconnectWarningForm* Controls() const { return ui.get(); }

public slots:
    void reject() override;

private:
    TSSICom& link_;
    std::unique_ptr<Ui::TDisconnectWarningForm> ui;
};
