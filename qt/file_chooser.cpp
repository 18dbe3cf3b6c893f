#include "qt/file_chooser.h"

#include <QDir>
#include <QFileDialog>

QString FileChooser::open(QWidget* parent, const QString& title, const QString& filters, const QString& suffix)
{
    return run(parent, title, filters, suffix, false);
}

QString FileChooser::save(QWidget* parent, const QString& title, const QString& filters, const QString& suffix)
{
    return run(parent, title, filters, suffix, true);
}

QString FileChooser::run(QWidget* parent, const QString& title, const QString& filters, const QString& suffix,
                         bool saving)
{
    QFileDialog dialog(parent, title, QDir::currentPath(), filters);
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(suffix);
    if (!last_.isEmpty())
        dialog.selectFile(last_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    last_ = dialog.selectedFiles().constFirst();
    return last_;
}
