#include "uText.h"

#include "Cp1252.h"
#include "Error.h"
#include "MainWindowServices.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

QString ReadTextFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw TFileError::CannotOpen(fileName, file.errorString());
    const QByteArray bytes = file.readAll();
    const auto bom = [&](const char* mark) { return bytes.startsWith(mark); };
    if (bom("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    if (bom("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    if (bom("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return Cp1252ToString(bytes);
}

TfrmText::TfrmText(IMainWindow& main, QWidget* parent)
    : TChildWindow(parent)
    , RichEdit(new QPlainTextEdit(this))
    , Main(main)
{
    setWindowTitle(u"Corpus"_s);
    RichEdit->setReadOnly(true);
    RichEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(u"Tahoma"_s);
    font.setPixelSize(13);
    RichEdit->setFont(font);
    RichEdit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit, &QWidget::customContextMenuRequested, this, &TfrmText::ShowContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(RichEdit);
}

void TfrmText::LoadFromFile(const QString& fileName)
{
    Path = fileName;
    RichEdit->setPlainText(ReadTextFile(fileName));
    if (Main.ActiveChildWindow() == this)
        Main.SetActiveWindowText(u"Text File: "_s + Path);
    setWindowTitle(u"Text file - ["_s + Path + u"]"_s);
}

QString TfrmText::WindowListCaption() const
{
    return QFileInfo(Path).fileName();
}

void TfrmText::FormActivate()
{
    Main.SetActiveWindowText(u"Text File: "_s + Path);
}

void TfrmText::FormClose()
{
    Main.SetActiveWindowText(QString());
}

void TfrmText::ShowContextMenu(const QPoint& at)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(u"Copy"_s, RichEdit, &QPlainTextEdit::copy);
    copy->setEnabled(RichEdit->textCursor().hasSelection());
    menu.exec(RichEdit->mapToGlobal(at));
}
