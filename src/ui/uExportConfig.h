// The export options dialog of the concordance's save and print commands: how
// many hits to take and how their lines look. A new dialog opens with the
// defaults each time.
#pragma once

#include "ConcordanceExport.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

class TfrmExportConfig : public QDialog {
    Q_OBJECT

public:
    explicit TfrmExportConfig(QWidget* parent = nullptr);

    // What the controls hold.
    TExportOptions Options() const;

    QLabel* Prompt;
    // The limit box with its up-down buttons, 0 to 32000 in steps of 15. A
    // number typed beyond that range is taken as the nearest end of it.
    QSpinBox* MaxLinesUpDown;
    QLabel* NoLimitLabel;
    QCheckBox* ShowFileBox;
    QCheckBox* ConcealHits;
    QCheckBox* LinesCB;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};
