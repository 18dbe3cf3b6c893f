// The File menu: the staged FLASH column saved to a value file and loaded
// back, in the bytes the Win32 window writes and reads, with LF line ends.
#include "qt/main_window.h"
#include "qt/param_table.h"

#include <QFile>
#include <QMessageBox>

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};

}  // namespace

void MainWindow::saveFlashFile()
{
    const QString path =
        files_.save(this, tr("Save file"), tr("Text files (*.txt)") + QStringLiteral(";;") + tr("All files (*)"),
                    QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    // A failed save leaves the previous file as it was.
    if (!table_->staged().save(QFile::encodeName(path).constData(), "\n"))
        QMessageBox::critical(this, tr("Save file"), tr("The file %1 cannot be written.").arg(path));
}

// A file that cannot be read, or is no value file, changes nothing.
void MainWindow::loadFlashFile()
{
    const QString path =
        files_.open(this, tr("Open file"), tr("Text files (*.txt)") + QStringLiteral(";;") + tr("All files (*)"),
                    QStringLiteral("txt"));
    if (path.isEmpty())
        return;
    std::unique_ptr<FILE, FileCloser> in(std::fopen(QFile::encodeName(path).constData(), "r"));
    if (!in) {
        QMessageBox::critical(this, tr("Open file"), tr("The file %1 cannot be read.").arg(path));
        return;
    }
    FlashColumn column = table_->staged();
    if (column.load(in.get()) != FlashToken::End) {
        QMessageBox::critical(this, tr("Open file"),
                              tr("%1 is not a FLASH value file: each line is a row number and a value.").arg(path));
        return;
    }
    table_->setStaged(column);
}
