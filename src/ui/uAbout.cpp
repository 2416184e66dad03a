// The about box: the product's name and version, its makers, and OK.
#include "uAbout.h"

#include "Version.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QLabel* Centred(const QString& text, QWidget* parent, bool bold = false)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(u"About Tamborix"_s);
    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    picture->setAlignment(Qt::AlignHCenter);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(u"OK"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(Centred(u"Tamborix"_s, this, true));
    layout->addWidget(Centred(u"Version "_s + QString::fromLatin1(TamborixVersion), this, true));
    layout->addWidget(Centred(u"Made by Tamborix contributors"_s, this));
    layout->addWidget(Centred(u"Programmed by Tamborix contributors"_s, this));
    layout->addWidget(buttons);
}
