#include "control_texts.h"
#include "main_form.h"
#include "parameter_view.h"
#include "sensor_session.h"
#include "supervision.h"
#include "presentation.h"
#include "ui_main_form.h"

namespace {

constexpr int WbfChargepumpHeight = 180;
constexpr int ChargepumpHeight = 84;

}  // namespace

void TMainForm::ApplyLanguage()
{
    const uint8_t languageCode = session_->LanguageCode();
    ui->English1->setChecked(false);
    ui->Deutsch1->setChecked(false);
    if (languageCode == 0 || languageCode == 1) {
        (languageCode == 0 ? ui->English1 : ui->Deutsch1)->setChecked(true);
        const bool wbf = IsWbf(session_->ModelCode());
        ApplyTexts(*this, LanguageTexts(languageCode, wbf));
        ui->ExpertSettings->ChargepumpStages->setFixedHeight(wbf ? WbfChargepumpHeight : ChargepumpHeight);
        ui->ExpertSettings->Model->setVisible(!wbf);
    }
    for (QWidget* page : std::initializer_list<QWidget*>{
             ui->SSISettings, ui->ErrorIndication, ui->Measurement, ui->Measurement2, ui->LinPage})
        page->repaint();
}

void TMainForm::ChangeLanguage(uint8_t languageCode)
{
    session_->SetLanguageCode(languageCode);
    ApplyLanguage();
    view_->ShowLanguageDependentTexts();
    PersistLanguage();
    hide();
    show();
    supervision_->ResetSession();
}

void TMainForm::English1Click() { ChangeLanguage(0); }

void TMainForm::Deutsch1Click() { ChangeLanguage(1); }

void TMainForm::PersistLanguage() { SaveSetting("Language", session_->LanguageCode()); }
