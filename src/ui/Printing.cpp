#include "Printing.h"

#include "Error.h"
#include "UserInteraction.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// The dialog's own button says "Print"; where nothing is printed yet, it says OK.
void ConfirmWithOk(QPrintDialog& dialog)
{
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(u"OK"_s);
    }
}

TError CannotBegin(const QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat)
        return TError(
            u"The printer \"%1\" cannot start the print job."_s.arg(printer.printerName()));
    if (printer.outputFileName().isEmpty())
        return TError(u"No file was named to print into."_s);
    return TFileError::CannotCreate(printer.outputFileName(),
                                    u"The print job cannot be started."_s);
}

} // namespace

bool RunPrintDialog(IUserInteraction& user, QPrinter& printer, QWidget* parent,
                    TPrintDialogKind kind)
{
    QPrintDialog dialog(&printer, parent);
    // Every page is printed, once: the program has no page ranges or selections.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (kind == TPrintDialogKind::Setup) {
        dialog.setWindowTitle(u"Printer Setup"_s);
        ConfirmWithOk(dialog);
    }
    return user.ExecDialog(dialog) == QDialog::Accepted;
}

TPrintJob::TPrintJob(QPrinter& printer)
    : Printer(printer)
{
    if (!Painter.begin(&Printer))
        throw CannotBegin(Printer);
}

TPrintJob::~TPrintJob()
{
    Painter.end();
}

void TPrintJob::NewPage()
{
    if (!Printer.newPage())
        throw TError(u"The printer cannot start a new page."_s);
}
