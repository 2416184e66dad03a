#include "uFiles.h"

#include "FileNames.h"
#include "MessageSink.h"
#include "uMain.h"
#include "uText.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Paths compare without regard to the case of the letters A to Z.
bool SamePath(const QString& a, const QString& b)
{
    return LowerAsciiLetters(a) == LowerAsciiLetters(b);
}

const TCorpusFile* FileOf(const QListWidgetItem* item)
{
    return static_cast<const TCorpusFile*>(item->data(Qt::UserRole).value<const void*>());
}

} // namespace

TfrmFiles::TfrmFiles(TfrmMain& main)
    : QDialog(&main)
    , lbMain(new QListWidget(this))
    , btnCloseFile(new QPushButton(u"Remove"_s, this))
    , btnShow(new QPushButton(u"Show"_s, this))
    , btnClose(new QPushButton(u"Close"_s, this))
    , Main(main)
{
    setWindowTitle(u"View files"_s);
    lbMain->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnCloseFile);
    buttons->addWidget(btnShow);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lbMain);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(583, 265)));

    connect(btnCloseFile, &QPushButton::clicked, this,
            [this] { Main.RunCommand([this] { btnCloseFileClick(); }); });
    connect(btnShow, &QPushButton::clicked, this, &TfrmFiles::btnShowClick);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(lbMain, &QListWidget::currentRowChanged, this, &TfrmFiles::SetButtons);
    connect(lbMain, &QListWidget::itemSelectionChanged, this, &TfrmFiles::SetButtons);
    connect(lbMain, &QListWidget::itemDoubleClicked, this, [this] {
        if (btnShow->isEnabled())
            btnShowClick();
    });
    FillList();
}

void TfrmFiles::FillList()
{
    lbMain->clear();
    for (const auto& file : Main.Corpus()) {
        auto* item = new QListWidgetItem(file->FileName, lbMain);
        item->setData(Qt::UserRole, QVariant::fromValue(static_cast<const void*>(file.get())));
    }
    SetButtons();
}

// The list makes its first line current when it takes the focus, without
// choosing it; a line counts once it is selected too.
void TfrmFiles::SetButtons()
{
    const bool current = lbMain->currentRow() >= 0 && !lbMain->selectedItems().isEmpty();
    btnCloseFile->setEnabled(current);
    btnShow->setEnabled(current);
}

QList<int> TfrmFiles::SelectedRowsFromLast() const
{
    QList<int> rows;
    for (const QListWidgetItem* item : lbMain->selectedItems())
        rows.append(lbMain->row(item));
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    return rows;
}

void TfrmFiles::btnCloseFileClick()
{
    for (int row : SelectedRowsFromLast()) {
        const QListWidgetItem* item = lbMain->item(row);
        const QString path = item->text();
        for (TChildWindow* child : Main.ChildWindows()) {
            if (child->Kind() == TChildWindow::TKind::Text &&
                SamePath(static_cast<TfrmText*>(child)->FileName(), path))
                Main.CloseChildWindow(child);
        }
        Main.Corpus().Remove(FileOf(item));
        delete lbMain->takeItem(row);
    }
    Main.UpdateStatusbar();
    SetButtons();
}

void TfrmFiles::btnShowClick()
{
    Main.RunCommand([this] { ShowSelected(); });
}

void TfrmFiles::ShowSelected()
{
    for (int row : SelectedRowsFromLast()) {
        const QString path = lbMain->item(row)->text();
        TChildWindow* found = nullptr;
        for (TChildWindow* child : Main.ChildWindows()) {
            if (child->Kind() == TChildWindow::TKind::Text &&
                SamePath(static_cast<TfrmText*>(child)->FileName(), path)) {
                found = child;
                break;
            }
        }
        if (found)
            Main.ActivateChildWindow(found);
        else
            Main.LoadFileNewWindow(path);
    }
}
