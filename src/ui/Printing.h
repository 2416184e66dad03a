// The printer that every print command of the program shares, its setup
// dialog and the print jobs on it. What the user chooses in the dialog, the
// printer or a PDF file, its page and orientation, stays for the next job.
#pragma once

#include <QPainter>

class IUserInteraction;
class QPrinter;
class QWidget;

enum class TPrintDialogKind {
    Setup, // "Printer Setup..": choices only, confirmed with "OK"
    Print, // before a print command, confirmed with "Print"
};

// Shows the print dialog for printer; on OK its choices are the printer's.
// Returns false on Cancel.
bool RunPrintDialog(IUserInteraction& user, QPrinter& printer, QWidget* parent,
                    TPrintDialogKind kind);

// One print job. It begins with the first page when constructed and ends when
// destroyed, also after an error, so that a printer is never left in a job.
class TPrintJob {
public:
    // Throws TError when the printer cannot begin the job, for example when
    // the PDF file cannot be created.
    explicit TPrintJob(QPrinter& printer);
    ~TPrintJob();
    TPrintJob(const TPrintJob&) = delete;
    TPrintJob& operator=(const TPrintJob&) = delete;

    QPainter& Canvas() { return Painter; }
    // Throws TError when the printer cannot start the page.
    void NewPage();

private:
    QPrinter& Printer;
    QPainter Painter;
};
