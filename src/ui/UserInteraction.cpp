#include "UserInteraction.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>

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

void SetUpFileDialog(QFileDialog& dialog, const TFileDialogSetup& setup,
                     QFileDialog::AcceptMode mode)
{
    dialog.setWindowTitle(setup.Title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(setup.Filters);
    dialog.setDefaultSuffix(setup.DefaultSuffix);
}

// The extension of a filter that names one kind of file, such as "png" for
// "PNG images (*.png)"; empty for one like "All files (*)".
QString FilterExtension(const QString& filter)
{
    static const QRegularExpression onePattern(u"\\(\\*\\.([A-Za-z0-9]+)\\)$"_s);
    return onePattern.match(filter).captured(1);
}

} // namespace

QString TDesktopInteraction::OpenFileName(QWidget* parent, const TFileDialogSetup& setup)
{
    QFileDialog dialog(parent);
    SetUpFileDialog(dialog, setup, QFileDialog::AcceptOpen);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// A name typed without an extension takes the one of the filter chosen, so
// that the file is what its name says.
TSaveChoice TDesktopInteraction::SaveFileChoice(QWidget* parent, const TFileDialogSetup& setup)
{
    QFileDialog dialog(parent);
    SetUpFileDialog(dialog, setup, QFileDialog::AcceptSave);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const QString extension = FilterExtension(filter);
        dialog.setDefaultSuffix(extension.isEmpty() ? setup.DefaultSuffix : extension);
    });
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return {dialog.selectedFiles().value(0),
            static_cast<int>(
                std::max<qsizetype>(0, setup.Filters.indexOf(dialog.selectedNameFilter())))};
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
