#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

#include "session_rules.h"

namespace Ui {
class TComPortSelectForm;
}

// The port selection dialog. Its construction lists "Demo" and every COM port from 1 to
// 100 that can be opened. It ends with Accepted (Connect, which needs a chosen port) or
// DialogAbort (Quit, also Escape); it has no close button. Selection() is the chosen port: 0 for "Demo", 255
// when nothing was chosen.
class TComPortSelectForm : public QDialog {
    Q_OBJECT

public:
    explicit TComPortSelectForm(QWidget* parent = nullptr);
    ~TComPortSelectForm() override;

    // The captions for a language; other codes keep the layout's captions.
    void SetCaptions(uint8_t languageCode);
    uint8_t Selection() const { return selection_; }

    void ComListeClick();
    void DoubleCLick();

    Ui::TComPortSelectForm* Controls() const { return ui.get(); }

public slots:
    void reject() override;

private:
    void ScanPorts();

    std::unique_ptr<Ui::TComPortSelectForm> ui;
    uint8_t selection_ = NoPortChosen;
};
