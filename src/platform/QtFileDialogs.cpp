#include "platform/QtFileDialogs.h"

#include <QFileDialog>

QString QtFileDialogs::openExistingFile(const FileOpenRequest& request) {
    QFileDialog dialog(m_parent, request.title, request.directory);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(request.nameFilters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}
