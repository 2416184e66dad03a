#include "UserInteraction.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
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

bool TDesktopInteraction::OpenUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

namespace {

QString ChosenFile(QWidget* parent, const TFileDialogSetup& setup, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, setup.Title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(setup.Filters);
    dialog.setDefaultSuffix(setup.DefaultSuffix);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

QString TDesktopInteraction::OpenFileName(QWidget* parent, const TFileDialogSetup& setup)
{
    return ChosenFile(parent, setup, QFileDialog::AcceptOpen);
}

QString TDesktopInteraction::SaveFileName(QWidget* parent, const TFileDialogSetup& setup)
{
    return ChosenFile(parent, setup, QFileDialog::AcceptSave);
}

bool TDesktopInteraction::InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                    QString& text)
{
    bool ok = false;
    const QString entered =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, text, &ok);
    if (ok)
        text = entered;
    return ok;
}

void TMessageBoxes::ShowWarning(const QString& text)
{
    QMessageBox::warning(Parent, u"Warning"_s, text, QMessageBox::Ok);
}

void TMessageBoxes::ShowError(const QString& text)
{
    QMessageBox::critical(Parent, u"Error"_s, text, QMessageBox::Ok);
}
