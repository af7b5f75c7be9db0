#pragma once

#include <QDialog>
#include <memory>

class DialogService;
class SensorSession;

namespace Ui {
class TDisconnectWarningForm;
}

// Offered when the sensor went away with edits not yet in its EEPROM. Update writes the
// whole set into the sensor, once it answers again and only when it is the sensor the
// edits belong to, and commits it (Accepted); a failure keeps the dialog open and the
// edits pending. Abort (also Escape) leaves the edits pending (DialogAbort). It has no
// close button.
class TDisconnectWarningForm : public QDialog {
    Q_OBJECT

public:
    TDisconnectWarningForm(SensorSession& session, DialogService& dialogs, QWidget* parent = nullptr);
    ~TDisconnectWarningForm() override;

    void UpdateButtonClick();

    Ui::TDisconnectWarningForm* Controls() const { return ui.get(); }

public slots:
    void reject() override;

private:
    void ShowError(const QString& text);

    SensorSession& session_;
    DialogService& dialogs_;
    std::unique_ptr<Ui::TDisconnectWarningForm> ui;
};
