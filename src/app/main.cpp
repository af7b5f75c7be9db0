#include <QApplication>

#include "main_form.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationVersion(SSI_TESMIRA_FILE_VERSION);
    TMainForm form;
    if (form.TerminationRequested())
        return 0;
    return QApplication::exec();
}
