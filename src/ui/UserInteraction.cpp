#include "UserInteraction.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

using namespace Qt::StringLiterals;

int TDesktopInteraction::ExecDialog(QDialog& dialog)
{
    return dialog.exec();
}

QStringList TDesktopInteraction::OpenCorpusFiles(QWidget* parent)
{
    QFileDialog dialog(parent, u"Load Corpus"_s);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // "*.*" would hide files without an extension here, such as those of
    // many published corpora; "*" is every file.
    dialog.setNameFilters({u"Text files (*.txt)"_s, u"All files (*)"_s});
    dialog.setDefaultSuffix(u"txt"_s);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

bool TDesktopInteraction::OpenDocument(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void TMessageBoxes::ShowWarning(const QString& text)
{
    QMessageBox::warning(Parent, u"Warning"_s, text, QMessageBox::Ok);
}

void TMessageBoxes::ShowError(const QString& text)
{
    QMessageBox::critical(Parent, u"Error"_s, text, QMessageBox::Ok);
}
