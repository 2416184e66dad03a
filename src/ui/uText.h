// The text window: one corpus file shown read-only. It is also the window
// whose file a search limited to the active window searches.
#pragma once

#include "ChildWindow.h"

class IMainWindow;
class QPlainTextEdit;

class TfrmText : public TChildWindow {
    Q_OBJECT

public:
    explicit TfrmText(IMainWindow& main, QWidget* parent = nullptr);

    // Sets FileName and shows the file's text. Throws TFileError when the file
    // cannot be opened; the window then keeps the caption "Corpus".
    void LoadFromFile(const QString& fileName);

    const QString& FileName() const { return Path; }
    QPlainTextEdit* RichEdit;

    TKind Kind() const override { return TKind::Text; }
    QString WindowListCaption() const override;
    void FormActivate() override;
    void FormClose() override;

private:
    void ShowContextMenu(const QPoint& at);

    IMainWindow& Main;
    QString Path;
};
