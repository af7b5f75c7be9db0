#include <QApplication>

#include "dialog_service.h"
#include "main_form.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QtDialogService dialogs;
    TMainForm form(dialogs);
    if (form.TerminationRequested())
        return 0;
    return QApplication::exec();
}
