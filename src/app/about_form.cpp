#include "about_form.h"

#include "control_colours.h"
#include "texts.h"
#include "ui_about_form.h"

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TAboutForm>())
{
    ui->setupUi(this);
    SetControlColour(this, WindowColour);
    ui->Label1->setText(texts::VersionText);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::mouseReleaseEvent(QMouseEvent*) { accept(); }
