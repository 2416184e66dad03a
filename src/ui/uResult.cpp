// The results window: a title strip with the statistics lines, the histogram
// of the bins' hit counts on the left and the table of bins on the right.
// The histogram is a chart view of its own, so that it can also be drawn into
// a picture or onto a page. The expected distribution, when the user asks for
// it, adds to all three parts and leaves them as they were when put away.
#include "uResult.h"

#include "Cp1252.h"
#include "DistributionText.h"
#include "MainWindowServices.h"
#include "MessageSink.h"
#include "PictureFile.h"
#include "Printing.h"
#include "ResultsChart.h"
#include "ResultsPicture.h"
#include "SafeFile.h"
#include "UserInteraction.h"
#include "WindowForms.h"
#include "uConcordance.h"

#include <QAction>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QSize ClientSize(463, 338);
const QSize ConcordanceClientSize(614, 322);
const int TableWidth = 167;
const int ExpectedColumnWidth = 64;
// What the table, and with it the window, gains with the expected columns.
const int ExpectedColumnsWidth = 2 * ExpectedColumnWidth;
// How far a window keeps from the right and bottom edges of the client area.
const int EdgeGap = 30;

QString AxisTitle(TDistribution kind, TBinType firstBinType)
{
    const bool percentage = firstBinType == btPrecentage;
    switch (kind) {
    case TDistribution::Sentence:
        return percentage ? u"% of sentence"_s : u"position of word in sentence"_s;
    case TDistribution::Paragraph:
        return percentage ? u"% of paragraph"_s : u"position of sentence in paragraph"_s;
    case TDistribution::Section:
        return percentage ? u"% of section"_s : u"position of sentence in section"_s;
    case TDistribution::Text:
        break;
    }
    return percentage ? u"% of text"_s : u"position of sentence in text"_s;
}

// A one-line text box that looks like a label but lets the user select and
// copy its text.
QLineEdit* CreateStatisticsLine(QWidget* parent)
{
    auto* line = new QLineEdit(parent);
    line->setReadOnly(true);
    line->setFrame(false);
    line->setAlignment(Qt::AlignCenter);
    // As compact as a label: the strip keeps most of a small window for the chart.
    line->setTextMargins(0, 0, 0, 0);
    line->setFixedHeight(line->fontMetrics().height() + 2);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    line->setPalette(palette);
    return line;
}

QLabel* CreateHint(const QString& text, QWidget* parent)
{
    auto* hint = new QLabel(text, parent);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignCenter);
    return hint;
}

// An item's texts, a row's or the header's, one per column.
QStringList ColumnTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int column = 0; column < item->columnCount(); ++column)
        texts.append(item->text(column));
    return texts;
}

// The save dialog's filters in the order of TPictureFormat.
const QStringList PictureFilters{u"Bitmap files (*.bmp)"_s, u"PNG images (*.png)"_s,
                                 u"SVG images (*.svg)"_s};

} // namespace

TfrmResults::TfrmResults(IMainWindow& main, QWidget* parent)
    : TChildWindow(parent)
    , Main(main)
{
    setWindowTitle(u"Word Distribution"_s);

    splMain = new QSplitter(Qt::Horizontal, this);
    splMain->setHandleWidth(4);
    splMain->setOpaqueResize(true);
    splMain->addWidget(CreateHistogram());
    splMain->addWidget(CreateTable());
    splMain->setStretchFactor(0, 1);
    splMain->setStretchFactor(1, 0);
    splMain->setSizes({ClientSize.width() - TableWidth - splMain->handleWidth(), TableWidth});

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(CreateTitleStrip());
    layout->addWidget(splMain, 1);

    CreateMenu();
}

TfrmResults::~TfrmResults() = default;

QWidget* TfrmResults::CreateTitleStrip()
{
    auto* pnlTitle = new QWidget(this);
    pnlTitle->setObjectName(u"pnlTitle"_s);
    lblTitle = new QLabel(u"Word distribution"_s, pnlTitle);
    lblTitle->setAlignment(Qt::AlignCenter);
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblMM = CreateStatisticsLine(pnlTitle);
    lblTotal1 = CreateStatisticsLine(pnlTitle);
    lblTotal2 = CreateStatisticsLine(pnlTitle);
    lblTest = CreateStatisticsLine(pnlTitle);
    lblTest->setObjectName(u"lblTest"_s);
    lblTestNote = CreateStatisticsLine(pnlTitle);
    lblTestNote->setObjectName(u"lblTestNote"_s);
    // Hidden lines take no room: the strip grows only while they show.
    lblTest->hide();
    lblTestNote->hide();

    auto* layout = new QVBoxLayout(pnlTitle);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    for (QWidget* line : {static_cast<QWidget*>(lblTitle), static_cast<QWidget*>(lblMM),
                          static_cast<QWidget*>(lblTotal1), static_cast<QWidget*>(lblTotal2),
                          static_cast<QWidget*>(lblTest), static_cast<QWidget*>(lblTestNote)})
        layout->addWidget(line);
    return pnlTitle;
}

QWidget* TfrmResults::CreateTable()
{
    auto* pnlTable = new QWidget(this);
    lvMain = new QTreeWidget(pnlTable);
    lvMain->setRootIsDecorated(false);
    lvMain->setUniformRowHeights(true);
    lvMain->setAllColumnsShowFocus(true);
    lvMain->setSelectionMode(QAbstractItemView::SingleSelection);
    lvMain->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvMain->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvMain->setHeaderLabels({u"Position"_s, u"Frequency"_s});
    lvMain->header()->resizeSection(0, 80);
    lvMain->header()->resizeSection(1, 70);
    connect(lvMain, &QTreeWidget::itemDoubleClicked, this, &TfrmResults::lvMainDblClick);

    auto* miViewconcordances = new QAction(u"View concordances"_s, lvMain);
    QFont bold = miViewconcordances->font();
    bold.setBold(true);
    miViewconcordances->setFont(bold);
    connect(miViewconcordances, &QAction::triggered, this, &TfrmResults::lvMainDblClick);
    auto* miCopy = new QAction(u"Copy list to clipboard"_s, lvMain);
    connect(miCopy, &QAction::triggered, this, &TfrmResults::miCopyClick);
    lvMain->addActions({miViewconcordances, miCopy});
    lvMain->setContextMenuPolicy(Qt::ActionsContextMenu);

    auto* btnCopy = new QPushButton(u"Copy"_s, pnlTable);
    connect(btnCopy, &QPushButton::clicked, this, &TfrmResults::miCopyClick);

    auto* layout = new QVBoxLayout(pnlTable);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(lvMain, 1);
    layout->addWidget(btnCopy);
    layout->addWidget(
        CreateHint(u"Double click item in the list to open concordance window"_s, pnlTable));
    return pnlTable;
}

QWidget* TfrmResults::CreateHistogram()
{
    auto* pnlHystogram = new QWidget(this);
    crtMain = new TResultsChart(pnlHystogram);
    crtMain->OnBarClick = [this](int index) { crtMainClickSeries(index); };

    auto* layout = new QVBoxLayout(pnlHystogram);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(crtMain, 1);
    layout->addWidget(
        CreateHint(u"Click histogram's bar to open concordance window"_s, pnlHystogram));
    return pnlHystogram;
}

void TfrmResults::CreateMenu()
{
    miResults = new QMenu(u"&Results"_s, this);
    QMenu* miSave = miResults->addMenu(u"&Save"_s);
    AddCommand(miSave, u"&Histogram..."_s, [this] { DoSave(true, false); });
    AddCommand(miSave, u"&Table..."_s, [this] { DoSave(false, true); })->setVisible(false);
    AddCommand(miSave, u"Histogram &and Table..."_s, [this] {
        DoSave(true, true);
    })->setVisible(false);
    miSave->addSeparator()->setVisible(false);
    AddCommand(miSave, u"&Data to File (.csv)"_s, [this] { miSaveDatatofileClick(); });
    QMenu* miPrint = miResults->addMenu(u"&Print"_s);
    AddCommand(miPrint, u"&Histogram..."_s, [this] { Print(true, false); });
    AddCommand(miPrint, u"&Table..."_s, [this] { Print(false, true); });
    AddCommand(miPrint, u"Histogram &and Table..."_s, [this] { Print(true, true); });
    miResults->addSeparator();
    miShowExpected = miResults->addAction(u"Show &Expected Distribution"_s);
    miShowExpected->setCheckable(true);
    miShowExpected->setEnabled(false);
    connect(miShowExpected, &QAction::toggled, this, &TfrmResults::ShowExpected);
}

QAction* TfrmResults::AddCommand(QMenu* menu, const QString& caption,
                                 const std::function<void()>& command)
{
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, [this, command] { Main.RunCommand(command); });
    return action;
}

void TfrmResults::OpenResultsWindow(IMainWindow& main, const TBinSet* binSet, TDistribution kind,
                                    const QString& pattern)
{
    if (!binSet || binSet->Count() == 0)
        return;
    auto copy = std::make_unique<TBinSet>();
    binSet->CopyTo(*copy);
    OpenResultsWindow(main, std::move(copy), kind, pattern);
}

void TfrmResults::OpenResultsWindow(IMainWindow& main, std::unique_ptr<TBinSet> binSet,
                                    TDistribution kind, const QString& pattern)
{
    if (!binSet || binSet->Count() == 0)
        return;
    const QString xAxisTitle = AxisTitle(kind, binSet->GetBin(0).BinType);
    const QString title = DistributionTitle(pattern, kind);

    auto* window = new TfrmResults(main);
    main.AddChildWindow(window, ClientSize);
    window->GetInfoFromBinSet(std::move(*binSet));
    window->SetTitles(title, xAxisTitle);
    if (main.ActiveChildWindow() == window)
        main.SetActiveWindowText(title);
    window->CheckPosition();
}

void TfrmResults::GetInfoFromBinSet(const TBinSet& binSet)
{
    binSet.CopyTo(FSavedBinSet);
    ShowSavedBinSet();
}

void TfrmResults::GetInfoFromBinSet(TBinSet&& binSet)
{
    FSavedBinSet = std::move(binSet);
    ShowSavedBinSet();
}

// A bin set without a usable baseline turns the expected distribution off.
void TfrmResults::ShowSavedBinSet()
{
    FExpected = ExpectedDistributionOf(FSavedBinSet);
    if (!FExpected) {
        const QSignalBlocker blocker(miShowExpected);
        miShowExpected->setChecked(false);
    }
    miShowExpected->setEnabled(FExpected.has_value());
    QList<qreal> values;
    QStringList captions;
    for (const TBin& bin : FSavedBinSet.FBins) {
        values.append(bin.Count());
        captions.append(BinCaption(bin));
    }
    crtMain->SetBars(values, captions);
    ShowStatistics();
    ShowExpected();
}

bool TfrmResults::ExpectedShown() const
{
    return FExpected && miShowExpected->isChecked();
}

// The mean and median line's, which the expected columns and the test line follow.
QChar TfrmResults::DecimalPoint() const
{
    return QLocale().decimalPoint().front();
}

// Rows are made anew rather than given two more columns, since an item keeps
// texts beyond the columns that the table shows, and a copy would hand them on.
void TfrmResults::FillTable()
{
    const bool expected = ExpectedShown();
    const int current = lvMain->indexOfTopLevelItem(lvMain->currentItem());
    lvMain->clear();
    QStringList header{u"Position"_s, u"Frequency"_s};
    if (expected)
        header += {u"Expected"_s, u"Residual"_s};
    lvMain->setColumnCount(static_cast<int>(header.size()));
    lvMain->setHeaderLabels(header);
    const QChar point = DecimalPoint();
    for (int i = 0; i < FSavedBinSet.Count(); ++i) {
        const TBin& bin = FSavedBinSet.GetBin(i);
        QStringList texts{BinCaption(bin), QString::number(bin.Count())};
        if (expected) {
            const auto index = static_cast<size_t>(i);
            texts += {ExpectedText(FExpected->Expected[index], point),
                      ResidualText(FExpected->Residual[index], point)};
        }
        lvMain->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    // A new last column takes the default width, wider than the room made for it.
    if (expected) {
        lvMain->header()->resizeSection(1, 70);
        lvMain->header()->resizeSection(2, ExpectedColumnWidth);
        lvMain->header()->resizeSection(3, ExpectedColumnWidth);
    }
    if (current >= 0 && current < lvMain->topLevelItemCount())
        lvMain->setCurrentItem(lvMain->topLevelItem(current));
}

void TfrmResults::ShowExpected()
{
    const bool shown = ExpectedShown();
    const bool wasShown = !lblTest->isHidden();
    FillTable();
    QList<qreal> expected;
    if (shown)
        expected = QList<qreal>(FExpected->Expected.begin(), FExpected->Expected.end());
    crtMain->SetExpected(expected);
    lblTest->setText(shown ? TestLine(*FExpected, DecimalPoint()) : QString());
    lblTest->setVisible(shown);
    lblTestNote->setText(shown ? LowExpectedLine(*FExpected) : QString());
    lblTestNote->setVisible(!lblTestNote->text().isEmpty());
    if (shown != wasShown)
        FitTableWidth();
}

// The chart keeps its width: the window grows by what the table gains, as far
// as the client area allows, and gives it back when the columns go. A
// maximized or minimized window keeps its frame, and the chart makes room.
void TfrmResults::FitTableWidth()
{
    const int change = ExpectedShown() ? ExpectedColumnsWidth : -ExpectedColumnsWidth;
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (frame && !frame->isMaximized() && !frame->isMinimized()) {
        frame->resize(frame->width() + change, frame->height());
        CheckPosition();
    }
    const QList<int> sizes = splMain->sizes();
    const int table = std::max(TableWidth, sizes[1] + change);
    splMain->setSizes({sizes[0] + sizes[1] - table, table});
}

// Without bins there is no mean; the lines then keep what they showed.
void TfrmResults::ShowStatistics()
{
    const QString meanAndMedian = StatisticsLine(FSavedBinSet, QLocale().decimalPoint().front());
    if (meanAndMedian.isEmpty())
        return;
    lblMM->setText(meanAndMedian);
    lblTotal1->setText(TotalsLine1(FSavedBinSet));
    lblTotal2->setText(TotalsLine2(FSavedBinSet));
}

void TfrmResults::SetTitles(const QString& title, const QString& xAxisTitle)
{
    FTitle = title;
    setWindowTitle(title);
    lblTitle->setText(title);
    FXAxisTitle = xAxisTitle;
    crtMain->SetXAxisTitle(xAxisTitle);
}

void TfrmResults::CheckPosition()
{
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame)
        return;
    const QSize client = Main.ClientAreaSize();
    const int right = client.width() - EdgeGap;
    const int bottom = client.height() - EdgeGap;
    QRect bounds = frame->geometry();
    if (bounds.width() > right)
        bounds.setWidth(right);
    if (bounds.height() > bottom)
        bounds.setHeight(bottom);
    if (bounds.left() + bounds.width() > right)
        bounds.moveLeft(right - bounds.width());
    if (bounds.top() + bounds.height() > bottom)
        bounds.moveTop(bottom - bounds.height());
    frame->setGeometry(bounds);
}

const QString& TfrmResults::Title() const
{
    return FTitle;
}

const QString& TfrmResults::XAxisTitle() const
{
    return FXAxisTitle;
}

void TfrmResults::SaveSettingsToXML(TXmlNode& node) const
{
    WriteResultsForm(node, Main.PlaceOf(this), FTitle, FXAxisTitle, FSavedBinSet, ExpectedShown());
}

void TfrmResults::RestoreResultsWindow(IMainWindow& main, TResultsFormState&& state)
{
    auto* window = new TfrmResults(main);
    main.AddChildWindow(window, ClientSize);
    window->Restore(std::move(state));
}

// The saved place comes last: it is that of the window as it was shown, wider
// with the expected columns.
void TfrmResults::Restore(TResultsFormState&& state)
{
    GetInfoFromBinSet(std::move(state.BinSet));
    miShowExpected->setChecked(state.ShowExpected && FExpected);
    Main.ApplyPlace(this, state.Place);
    SetTitles(state.Title, state.XAxisTitle);
    if (Main.ActiveChildWindow() == this)
        Main.SetActiveWindowText(FTitle);
}

const TBinSet& TfrmResults::SavedBinSet() const
{
    return FSavedBinSet;
}

QString TfrmResults::MeanMedianText() const
{
    return lblMM->text();
}

QString TfrmResults::Total1Text() const
{
    return lblTotal1->text();
}

QString TfrmResults::Total2Text() const
{
    return lblTotal2->text();
}

QChartView* TfrmResults::Chart() const
{
    return crtMain;
}

QMenu* TfrmResults::MergedMenu()
{
    return miResults;
}

void TfrmResults::FormActivate()
{
    Main.SetActiveWindowText(FTitle);
}

void TfrmResults::FormClose()
{
    Main.SetActiveWindowText(QString());
}

TResultsPicture TfrmResults::Picture() const
{
    TResultsPicture picture{.Title = FTitle,
                            .MeanMedian = lblMM->text(),
                            .TotalMatches = FSavedBinSet.TotalMatches,
                            .TotalWords = FSavedBinSet.TotalWords,
                            .TotalSentences = FSavedBinSet.TotalSentences,
                            .TotalParagraphs = FSavedBinSet.TotalParagraphs,
                            .TotalSections = FSavedBinSet.TotalSections,
                            .Test = lblTest->text(),
                            .TestNote = lblTestNote->text(),
                            .Columns = {},
                            .Rows = {},
                            .Chart = crtMain->Content()};
    picture.Columns = ColumnTexts(lvMain->headerItem());
    for (int row = 0; row < lvMain->topLevelItemCount(); ++row)
        picture.Rows.append(ColumnTexts(lvMain->topLevelItem(row)));
    return picture;
}

// The header's captions joined by tabs, then a line per row, each after a
// CR LF: the text ends with the last row's last column.
void TfrmResults::miCopyClick()
{
    QString text = ColumnTexts(lvMain->headerItem()).join(u'\t');
    for (int row = 0; row < lvMain->topLevelItemCount(); ++row)
        text += u"\r\n"_s + ColumnTexts(lvMain->topLevelItem(row)).join(u'\t');
    QGuiApplication::clipboard()->setText(text);
}

// Bin captions hold no comma, so that every line has its fields unquoted; the
// numbers take '.' whatever the locale, since the comma parts the fields.
void TfrmResults::miSaveDatatofileClick()
{
    const QString path = Main.User().SaveFileName(
        this, {u"Save Data to File"_s,
               {u"Comma-separated data files (.csv) (*.csv)"_s, u"All files (*)"_s},
               u"csv"_s});
    if (path.isEmpty())
        return;
    const bool expected = ExpectedShown();
    QStringList lines;
    for (int row = 0; row < lvMain->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = lvMain->topLevelItem(row);
        QString line = item->text(0) + u',' + item->text(1);
        if (expected) {
            const auto index = static_cast<size_t>(row);
            line += u',' + ExpectedText(FExpected->Expected[index], u'.') + u',' +
                    ResidualText(FExpected->Residual[index], u'.');
        }
        lines.append(line);
    }
    SaveFile(path, TextFileBytes(lines));
}

void TfrmResults::DoSave(bool Hystogram, bool Table)
{
    const TSaveChoice choice =
        Main.User().SaveFileChoice(this, {u"Save Picture"_s, PictureFilters, u"bmp"_s});
    if (choice.FileName.isEmpty())
        return;
    const auto format = static_cast<TPictureFormat>(
        std::clamp(choice.Filter, 0, static_cast<int>(PictureFilters.size()) - 1));
    SaveFile(choice.FileName, PictureFileBytes(format, Picture(), Hystogram, Table));
}

// The orientation is the printer's; the layout follows it.
void TfrmResults::Print(bool Hystogram, bool Table)
{
    QPrinter& printer = Main.Printer();
    if (!RunPrintDialog(Main.User(), printer, this, TPrintDialogKind::Print))
        return;
    TPrintJob job(printer);
    DrawImage(job.Canvas(), printer.width(), printer.height(), Hystogram, Table, true, Picture(),
              [&job] { job.NewPage(); });
}

// Bars follow the order of the bins, so a bar's index is its bin's index.
void TfrmResults::crtMainClickSeries(int ValueIndex)
{
    OpenConcordance(ValueIndex);
}

void TfrmResults::lvMainDblClick()
{
    const QList<QTreeWidgetItem*> selected = lvMain->selectedItems();
    if (!selected.isEmpty())
        OpenConcordance(lvMain->indexOfTopLevelItem(selected.first()));
}

void TfrmResults::OpenConcordance(int binIndex)
{
    if (binIndex < 0 || binIndex >= FSavedBinSet.Count())
        return;
    auto* window = new TfrmConcordance(Main);
    window->SetCaption(FTitle + u", position: "_s + lvMain->topLevelItem(binIndex)->text(0));
    Main.AddChildWindow(window, ConcordanceClientSize);
    Main.RunCommand([&] { window->GetInfoFromBin(FSavedBinSet.GetBin(binIndex)); });
}
