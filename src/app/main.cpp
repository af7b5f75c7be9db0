#include <QApplication>

#include "main_form.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    TMainForm form;
    if (form.TerminationRequested())
        return 0;
    return QApplication::exec();
}
