// The OK and Cancel buttons at the foot of every dialog.
#pragma once

#include <QDialogButtonBox>

#include <functional>

class QDialog;

// Buttons captioned "OK" and "Cancel" for dialog. OK is the default button
// (the Enter key) and runs onOk; Cancel, like the Esc key, rejects the dialog.
QDialogButtonBox* CreateOkCancelButtons(QDialog* dialog, const std::function<void()>& onOk,
                                        Qt::Orientation orientation = Qt::Horizontal);
