#include "uText.h"

#include "CorpusFileReader.h"
#include "MainWindowServices.h"
#include "WindowForms.h"

#include <QFileInfo>
#include <QMenu>
#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

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
    ShowFile(fileName, TCorpusFileReader(fileName).WholeText());
}

void TfrmText::ShowFile(const QString& fileName, const QString& text)
{
    Path = fileName;
    RichEdit->setPlainText(text);
    if (Main.ActiveChildWindow() == this)
        Main.SetActiveWindowText(u"Text File: "_s + Path);
    setWindowTitle(u"Text file - ["_s + Path + u"]"_s);
}

void TfrmText::SaveSettingsToXML(TXmlNode& node) const
{
    WriteTextForm(node, {Path, Main.PlaceOf(this)});
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
