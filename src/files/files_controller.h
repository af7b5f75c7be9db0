#pragma once

class DialogService;
class QAction;
class SensorSession;

// Parameter files: the items of the file menu that open and save a parameter set.
class FilesController {
public:
    FilesController(SensorSession& session, DialogService& dialogs, QAction& openItem, QAction& saveAsItem);

private:
    SensorSession& session_;
    DialogService& dialogs_;
    QAction& openItem_;
    QAction& saveAsItem_;
};
