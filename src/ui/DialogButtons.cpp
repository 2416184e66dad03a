#include "DialogButtons.h"

#include <QDialog>
#include <QPushButton>

using namespace Qt::StringLiterals;

QDialogButtonBox* CreateOkCancelButtons(QDialog* dialog, const std::function<void()>& onOk,
                                        Qt::Orientation orientation)
{
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, orientation, dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(u"OK"_s);
    ok->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Cancel"_s);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, onOk);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
