#include "uConcordance.h"

#include "Cp1252.h"
#include "MainWindowServices.h"
#include "MessageSink.h"
#include "PrintString.h"
#include "Printing.h"
#include "SafeFile.h"
#include "TBin.h"
#include "TDelimiters.h"
#include "UserInteraction.h"
#include "uExportConfig.h"

#include <QAbstractItemDelegate>
#include <QAbstractListModel>
#include <QListView>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>
#include <QSplitter>
#include <QTextEdit>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

// The list holds no texts of its own: its rows are the window's lines, which
// TConcordanceDelegate draws.
class TConcordanceListModel : public QAbstractListModel {
public:
    TConcordanceListModel(const TConcordanceLines& lines, QObject* parent)
        : QAbstractListModel(parent)
        , Lines(lines)
    {}

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : Lines.Count();
    }
    QVariant data(const QModelIndex&, int) const override { return {}; }

    // Runs change, which may replace the lines, as a reset of the list.
    template <typename F>
    void Reset(F change)
    {
        beginResetModel();
        const auto end = qScopeGuard([this] { endResetModel(); });
        change();
    }
    // The lines were put into another order: every row is drawn again, and
    // the selection stays on its row index.
    void Reordered()
    {
        if (rowCount() > 0)
            emit dataChanged(index(0), index(rowCount() - 1));
    }

private:
    const TConcordanceLines& Lines;
};

namespace {

constexpr int ClientHeight = 322;
constexpr int PreviewHeight = 175;
constexpr int SplitterHeight = 5;
constexpr int ListMinHeight = 80;
constexpr int RowHeight = 16;
constexpr int CaretLead = 50; // characters between the preview's caret and the hit
const QColor HitColour(0, 0, 255);

QFont ListFont()
{
    QFont font(u"Tahoma"_s); // another family stands in where it is missing
    font.setPixelSize(13);
    return font;
}

// Draws a row: the text before the hit, the hit in blue, the text after it.
// The hit begins at the same place on every row, left of the list's centre by
// half its width; what falls outside the list is cut off.
class TConcordanceDelegate : public QAbstractItemDelegate {
public:
    TConcordanceDelegate(const TConcordanceLines& lines, QListView* list)
        : QAbstractItemDelegate(list)
        , Lines(lines)
        , List(list)
    {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const TConcordanceLine& line = Lines.Line(index.row());
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QColor text =
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const QFontMetrics metrics(option.font);
        painter->save();
        painter->fillRect(option.rect,
                          option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        painter->setFont(option.font);
        int x = option.rect.left() +
                (List->viewport()->width() - metrics.horizontalAdvance(line.TextMatch)) / 2 -
                metrics.horizontalAdvance(line.TextBefore);
        const int baseline = option.rect.top() + metrics.ascent();
        for (const auto& [piece, colour] :
             {std::pair{&line.TextBefore, text}, std::pair{&line.TextMatch, HitColour},
              std::pair{&line.TextAfter, text}}) {
            const int width = metrics.horizontalAdvance(*piece);
            // Blue cannot be read on the selection's colour: on the selected
            // row the hit keeps the list's own background.
            if (selected && piece == &line.TextMatch)
                painter->fillRect(QRect(x, option.rect.top(), width, option.rect.height()),
                                  option.palette.brush(QPalette::Base));
            painter->setPen(colour);
            painter->drawText(x, baseline, *piece);
            x += width;
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {1, RowHeight};
    }

private:
    const TConcordanceLines& Lines;
    const QListView* List;
};

// The sort keys of the menu, with their access keys: the same caption names a
// key as the primary key's submenu and as the item that makes it the
// secondary key.
struct TSortCaption {
    int Key;
    QStringView Caption;
};

constexpr TSortCaption SortCaptions[] = {
    {sk2ndLeft, u"&2nd Left"},   {sk1stLeft, u"1st &Left"},   {skSearchTerm, u"&Search Term"},
    {sk1stRight, u"1st &Right"}, {sk2ndRight, u"2nd Ri&ght"},
};

} // namespace

TfrmConcordance::TfrmConcordance(IMainWindow& main, QWidget* parent)
    : TChildWindow(parent)
    , Main(main)
    , rePreview(new QTextEdit)
    , splMain(new QSplitter(Qt::Vertical))
    , lbList(new QListView)
    , Model(new TConcordanceListModel(Lines, this))
{
    setWindowTitle(u"Concordance"_s);

    rePreview->setObjectName(u"rePreview"_s);
    rePreview->setReadOnly(true);
    rePreview->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    rePreview->setFont(ListFont());
    rePreview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    lbList->setObjectName(u"lbList"_s);
    lbList->setFont(ListFont());
    lbList->setMinimumHeight(ListMinHeight);
    lbList->setUniformItemSizes(true);
    lbList->setSelectionMode(QAbstractItemView::SingleSelection);
    lbList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lbList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lbList->setModel(Model);
    lbList->setItemDelegate(new TConcordanceDelegate(Lines, lbList));
    connect(lbList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { lbListClick(); });

    splMain->setObjectName(u"splMain"_s);
    splMain->setHandleWidth(SplitterHeight);
    splMain->setChildrenCollapsible(false);
    splMain->addWidget(rePreview);
    splMain->addWidget(lbList);
    splMain->setStretchFactor(1, 1);
    splMain->setSizes({PreviewHeight, ClientHeight - PreviewHeight - SplitterHeight});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splMain);

    CreateMenu();
}

TfrmConcordance::~TfrmConcordance() = default;

void TfrmConcordance::SetCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void TfrmConcordance::GetInfoFromBin(const TBin& bin)
{
    Model->Reset([this] { Lines.Clear(); });
    lbListClick();
    Model->Reset([&] { Lines.Load(bin, TDelimiters(Main.Settings())); });
    if (Lines.Count() > 0)
        lbList->setCurrentIndex(Model->index(0));
    if (Main.ActiveChildWindow() == this)
        FormActivate();
}

QString TfrmConcordance::WindowListCaption() const
{
    return windowTitle();
}

QMenu* TfrmConcordance::MergedMenu()
{
    return Concordance1;
}

void TfrmConcordance::FormActivate()
{
    Main.SetActiveWindowText(windowTitle());
}

void TfrmConcordance::CreateMenu()
{
    Concordance1 = new QMenu(u"&Concordance"_s, this);
    AddSortItems(Concordance1->addMenu(u"&Sort"_s));
    Concordance1->addAction(u"Save To &File..."_s, this,
                            [this] { Main.RunCommand([this] { miSaveToFileClick(); }); });
    Concordance1->addAction(u"&Print..."_s, this,
                            [this] { Main.RunCommand([this] { miPrintClick(); }); });
}

bool TfrmConcordance::MakeText(QStringList& St)
{
    TfrmExportConfig dialog(this);
    if (Main.User().ExecDialog(dialog) != QDialog::Accepted)
        return false;
    St = ConcordanceExportLines(Lines, dialog.Options());
    return true;
}

void TfrmConcordance::miSaveToFileClick()
{
    QStringList lines;
    if (!MakeText(lines))
        return;
    const QString path = Main.User().SaveFileName(
        this, {u"Save Concordance"_s, {u"Text Files (*.txt)"_s}, u"txt"_s});
    if (!path.isEmpty())
        SaveFile(path, TextFileBytes(lines));
}

// The printer stays in landscape for the print commands after this one, until
// the user turns it.
void TfrmConcordance::miPrintClick()
{
    QStringList lines;
    if (!MakeText(lines))
        return;
    QPrinter& printer = Main.Printer();
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!RunPrintDialog(Main.User(), printer, this, TPrintDialogKind::Print))
        return;
    QFont font = lbList->font();
    font.setPointSize(8);
    PrintString(printer, lines, 0.75, 0.5, 0.75, 1.0, 6, font);
}

void TfrmConcordance::AddSortItems(QMenu* sort)
{
    const auto addItem = [this](QMenu* menu, const QString& caption, int sort1, int sort2) {
        QAction* item = menu->addAction(caption);
        connect(item, &QAction::triggered, this,
                [this, sort1, sort2] { Main.RunCommand([=, this] { SortClick(sort1, sort2); }); });
        return item;
    };
    for (const TSortCaption& primary : SortCaptions) {
        QMenu* submenu = sort->addMenu(primary.Caption.toString());
        addItem(submenu, u"&No Second Sort"_s, primary.Key, skNone);
        for (const TSortCaption& secondary : SortCaptions) {
            if (secondary.Key != primary.Key)
                addItem(submenu, secondary.Caption.toString(), primary.Key, secondary.Key);
        }
    }
    sort->addSeparator();
    addItem(sort, u"1st R&ight, 1st Left"_s, sk1stRight, sk1stLeft)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F1));
    addItem(sort, u"1st L&eft, 1st Right"_s, sk1stLeft, sk1stRight)
        ->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_F1));
    sort->addSeparator();
    addItem(sort, u"&Original Order"_s, skOriginalOrder, skNone);
}

void TfrmConcordance::SortClick(int sort1, int sort2)
{
    Sort1 = sort1;
    Sort2 = sort2;
    Sort();
}

void TfrmConcordance::Sort()
{
    Lines.Sort(Sort1, Sort2);
    Model->Reordered();
    lbListClick();
}

void TfrmConcordance::lbListClick()
{
    rePreview->clear();
    const QModelIndexList selected = lbList->selectionModel()->selectedIndexes();
    if (selected.isEmpty() || selected.front().row() >= Lines.Count())
        return;
    const TMatch& match = Lines.Line(selected.front().row()).Match;
    Main.RunCommand([&] { ShowPreview(ReadPreview(match)); });
}

void TfrmConcordance::ShowPreview(const TPreviewText& preview)
{
    QTextCursor cursor(rePreview->document());
    cursor.insertText(preview.Before, QTextCharFormat());
    const int hitStart = cursor.position();
    QTextCharFormat hit;
    hit.setForeground(HitColour);
    cursor.insertText(preview.Hit, hit);
    cursor.insertText(preview.After, QTextCharFormat());
    if (hitStart >= CaretLead) {
        cursor.setPosition(hitStart - CaretLead);
        rePreview->setTextCursor(cursor);
        rePreview->ensureCursorVisible();
    }
}
